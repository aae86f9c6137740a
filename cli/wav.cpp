// The WAV export: the voicing and MIDI messages of "Enter" (midi/), played
// into the headless synthesizer through midiOut*, its samples pulled and
// written as 16-bit PCM, whole or not at all (output_file.h).
#include "cli/wav.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "cli/output_file.h"
#include "midi/sound.h"
#include "platform/headless/headless.h"

namespace {

constexpr int Channels = 2, BytesPerSample = 2;

void putLittleEndian(std::vector<unsigned char>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void putText(std::vector<unsigned char>& bytes, const char* text) { bytes.insert(bytes.end(), text, text + 4); }

// The canonical 44-byte header of a PCM WAV file.
std::vector<unsigned char> wavHeader(std::uint32_t dataBytes) {
    std::vector<unsigned char> header;
    header.reserve(44);
    putText(header, "RIFF");
    putLittleEndian(header, 36 + dataBytes, 4);
    putText(header, "WAVE");
    putText(header, "fmt ");
    putLittleEndian(header, 16, 4);  // the format chunk's size
    putLittleEndian(header, 1, 2);   // PCM
    putLittleEndian(header, Channels, 2);
    putLittleEndian(header, headless::AudioRate, 4);
    putLittleEndian(header, headless::AudioRate * Channels * BytesPerSample, 4);
    putLittleEndian(header, Channels * BytesPerSample, 2);
    putLittleEndian(header, 8 * BytesPerSample, 2);
    putText(header, "data");
    putLittleEndian(header, dataBytes, 4);
    return header;
}

std::vector<unsigned char> wavFile(const std::vector<float>& samples) {
    std::vector<unsigned char> bytes = wavHeader(static_cast<std::uint32_t>(samples.size() * BytesPerSample));
    for (float sample : samples) {
        const long value = std::lround(std::fmax(-1.0f, std::fmin(1.0f, sample)) * 32767.0f);
        putLittleEndian(bytes, static_cast<std::uint32_t>(value), BytesPerSample);
    }
    return bytes;
}

// Press "Enter", release after the hold, and listen until the end.
std::vector<float> renderEntry(const std::string& entry) {
    constexpr int heldFrames = headless::AudioRate * HoldMilliseconds / 1000;
    soundVoicing(voicePitches(pitchSetOf(parseEntry(entry.c_str()), NoNote)));
    std::vector<float> samples = headless::pullAudio(heldFrames);
    releaseVoicing();
    const std::vector<float> rest = headless::pullAudio(headless::AudioRate * SoundSeconds - heldFrames);
    samples.insert(samples.end(), rest.begin(), rest.end());
    return samples;
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

SoundOutcome exportSound(const std::string& path, const std::string& entry) {
    if (MMRESULT result = openSynthesizer(&Sound.synthesizer); result != MMSYSERR_NOERROR) {
        char reason[MAXERRORLENGTH];
        midiOutGetErrorTextA(result, reason, sizeof reason);
        return {1, std::string("no synthesizer: ") + reason};
    }
    const std::vector<float> samples = renderEntry(entry);
    closeSound();
    const std::vector<unsigned char> file = wavFile(samples);
    if (writeWholeFile(path, [&file](const std::string& part) { return writeFile(part, file); })) return {};
    return {1, "cannot write the sound to '" + path + "'"};
}
