// Recordings through our own WAV reader, over the C library's files (the
// Windows build): the header walked once, then the samples in blocks.
#include "audio/sound_file.h"
#include "audio/file_bytes.h"
#include "audio/wav_format.h"

#include <cstdio>
#include <vector>

namespace {

struct WavSource {
    std::FILE* handle;
    WavFormat format;
    std::vector<uint8_t> bytes;
};

}  // namespace

bool openSoundFile(const std::string& path, SoundFile& file, std::string& error) {
    std::FILE* handle = std::fopen(path.c_str(), "rb");
    if (handle == nullptr) return error = "it cannot be opened", false;
    WavFormat format{};
    bool ok = std::fseek(handle, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(handle) : -1;
    if (size < 0) error = "it cannot be read (a folder?)";
    else if (readWavHeader(readFileAt, handle, static_cast<uint64_t>(size), format, error)) {
        if (format.frames == 0) error = "it holds no samples";
        else if (format.sampleRate < LowestSampleRate || format.sampleRate > HighestSampleRate)
            error = "its sample rate of " + std::to_string(format.sampleRate) + " Hz is outside 8 to 192 kHz";
    }
    if (!error.empty() || std::fseek(handle, static_cast<long>(format.dataOffset), SEEK_SET) != 0) {
        if (error.empty()) error = "it cannot be read";
        std::fclose(handle);
        return false;
    }
    file = {format.sampleRate, format.channels, static_cast<int64_t>(format.frames), 0,
            new WavSource{handle, format, {}}};
    return true;
}

int readSoundFile(SoundFile& file, float* mono, int frames, std::string& error) {
    auto* source = static_cast<WavSource*>(file.source);
    int64_t left = file.claimedFrames - file.framesRead;
    int wanted = static_cast<int>(left < frames ? left : frames);
    if (wanted <= 0) return 0;
    source->bytes.resize(static_cast<size_t>(wanted) * source->format.bytesPerFrame);
    size_t got = std::fread(source->bytes.data(), source->format.bytesPerFrame, static_cast<size_t>(wanted), source->handle);
    if (got == 0) return error = "the file is truncated", -1;
    if (!decodeWavFrames(source->format, source->bytes.data(), got, mono))
        return error = "it holds samples that are not numbers", -1;
    file.framesRead += static_cast<int64_t>(got);
    return static_cast<int>(got);
}

void closeSoundFile(SoundFile& file) {
    auto* source = static_cast<WavSource*>(file.source);
    if (source == nullptr) return;
    std::fclose(source->handle);
    delete source;
    file.source = nullptr;
}
