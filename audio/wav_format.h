// Our own WAV reader, pure code over bytes: the RIFF/WAVE (or RF64) header walked chunk
// by chunk (PCM 8, 16, 24 and 32-bit integer, 32 and 64-bit float, and their
// WAVE_FORMAT_EXTENSIBLE forms), and sample bytes decoded and mixed to mono.
// No length field is trusted: every chunk is checked against the bytes there are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads up to `count` bytes at `offset`; returns how many there were.
using ReadBytesAt = size_t (*)(void* source, uint64_t offset, uint8_t* bytes, size_t count);

struct WavFormat {
    int channels;
    int sampleRate;
    int bitsPerSample;
    bool isFloat;
    int bytesPerFrame;
    uint64_t dataOffset;   // where the samples start
    uint64_t frames;       // whole frames in the data chunk as far as the file holds them
};

// The format, or false with a one-line reason.
bool readWavHeader(ReadBytesAt read, void* source, uint64_t fileSize, WavFormat& format, std::string& error);

// `frames` frames of sample bytes to mono samples, -1 .. 1; false if any is not a number.
bool decodeWavFrames(const WavFormat& format, const uint8_t* bytes, size_t frames, float* mono);
