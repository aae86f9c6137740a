// Recordings through libsndfile (the Linux build): every format it reads, in
// blocks of interleaved floats that are mixed to mono here.
#include "audio/sound_file.h"

#include <cstdio>
#include <cstring>

#include <cmath>
#include <filesystem>
#include <sndfile.h>
#include <vector>

#include "audio/file_bytes.h"
#include "audio/wav_format.h"

namespace {

struct SndfileSource {
    SNDFILE* handle;
    bool exactLength;  // the header's frame count is a count, not an estimate (as for MP3)
    std::vector<float> interleaved;
};

bool checkedRate(const SoundFile& file, std::string& error) {
    if (file.sampleRate >= LowestSampleRate && file.sampleRate <= HighestSampleRate) return true;
    error = "its sample rate of " + std::to_string(file.sampleRate) + " Hz is outside 8 to 192 kHz";
    return false;
}

// libsndfile reads a WAV file that ends before its data chunk does as if it
// were shorter; our own reader's header walk says so, and refuses it.
bool truncatedWav(const std::string& path, std::string& error) {
    std::FILE* handle = std::fopen(path.c_str(), "rb");
    if (handle == nullptr) return false;
    uint8_t head[4] = {};
    bool riff = std::fread(head, 1, 4, handle) == 4 && (std::memcmp(head, "RIFF", 4) == 0 || std::memcmp(head, "RF64", 4) == 0);
    bool sized = std::fseek(handle, 0, SEEK_END) == 0;
    long size = sized ? std::ftell(handle) : -1;
    WavFormat format{};
    std::string reason;
    bool truncated = riff && size > 0 && !readWavHeader(readFileAt, handle, static_cast<uint64_t>(size), format, reason) &&
                     reason.find("truncated") != std::string::npos;
    std::fclose(handle);
    if (truncated) error = reason;
    return truncated;
}

}  // namespace

bool openSoundFile(const std::string& path, SoundFile& file, std::string& error) {
    // A pipe or a device could keep the reader waiting for ever.
    std::error_code code;
    std::filesystem::file_status status = std::filesystem::status(path, code);
    if (std::filesystem::is_directory(status)) return error = "it is a folder, not a recording", false;
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return error = "it is not a regular file (a device or a pipe)", false;
    if (truncatedWav(path, error)) return false;
    SF_INFO info{};
    SNDFILE* handle = sf_open(path.c_str(), SFM_READ, &info);
    if (handle == nullptr) {
        error = std::string("not a recording that can be read (") + sf_strerror(nullptr) + ")";
        return false;
    }
    file = {info.samplerate, info.channels, info.frames, 0, nullptr};
    if (info.channels < 1) error = "it has no channels";
    else if (info.frames == 0) error = "it holds no samples";
    else checkedRate(file, error);
    if (!error.empty()) {
        sf_close(handle);
        return false;
    }
    bool estimated = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG;
    file.source = new SndfileSource{handle, !estimated, {}};
    return true;
}

int readSoundFile(SoundFile& file, float* mono, int frames, std::string& error) {
    auto* source = static_cast<SndfileSource*>(file.source);
    source->interleaved.resize(static_cast<size_t>(frames) * file.channels);
    sf_count_t got = sf_readf_float(source->handle, source->interleaved.data(), frames);
    if (got <= 0) {
        if (sf_error(source->handle) != SF_ERR_NO_ERROR) return error = sf_strerror(source->handle), -1;
        if (source->exactLength && file.framesRead < file.claimedFrames)
            return error = "the file is truncated: its header announces " + std::to_string(file.claimedFrames) +
                           " frames, it holds " + std::to_string(file.framesRead), -1;
        return 0;
    }
    const float* x = source->interleaved.data();
    float share = 1.0f / static_cast<float>(file.channels);
    for (sf_count_t i = 0; i < got; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < file.channels; ++c) sum += *x++;
        if (!std::isfinite(sum)) return error = "it holds samples that are not numbers", -1;
        mono[i] = sum * share;
    }
    file.framesRead += got;
    return static_cast<int>(got);
}

void closeSoundFile(SoundFile& file) {
    auto* source = static_cast<SndfileSource*>(file.source);
    if (source == nullptr) return;
    sf_close(source->handle);
    delete source;
    file.source = nullptr;
}
