// A recording read from a file in blocks, mixed to mono. Two builds of this
// interface: libsndfile on Linux (WAV, FLAC, Ogg Vorbis, Opus, MP3 and the
// rest it reads), our own WAV reader elsewhere; CMake links one of them.
// Every failure comes back as one line that says what is wrong.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int LowestSampleRate = 8000;
inline constexpr int HighestSampleRate = 192000;

struct SoundFile {
    int sampleRate;
    int channels;
    int64_t claimedFrames;  // what the header announces
    int64_t framesRead;
    void* source;           // the reader's own state
};

bool openSoundFile(const std::string& path, SoundFile& file, std::string& error);

// Up to `frames` mono samples; 0 at the end; -1 with the error set (a sample
// that is not a number, a file that ends before its header said it would).
int readSoundFile(SoundFile& file, float* mono, int frames, std::string& error);

void closeSoundFile(SoundFile& file);
