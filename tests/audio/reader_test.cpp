// Recording files read as a user opens them, good and bad, in one table; the
// same table runs against both readers (libsndfile and our own WAV reader),
// each over the formats it reads. Compressed files are written with
// libsndfile itself.
#include <gtest/gtest.h>

#include <functional>

#include "audio/recording_file.h"
#include "tests/support/scratch_directory.h"
#include "tones.h"

#ifndef WAV_READER_ONLY
#include <sndfile.h>
#endif

namespace {

std::vector<float> cMajor(int rate) {
    return renderNotes({{midiFrequency(48), 0, 2}, {midiFrequency(60), 0, 2}, {midiFrequency(64), 0, 2}, {midiFrequency(67), 0, 2}}, rate, 2.0);
}


struct ReaderCase {
    const char* what;
    const char* file;
    std::function<std::string()> bytes;  // empty: the case writes the file itself
    const char* error;                   // nullptr: it reads, and names C major
    bool compressed;
};

std::string wav16() { return wavBytes(cMajor(44100), 44100, 2, 16, false); }

const ReaderCase Cases[] = {
    {"16-bit stereo at 44.1 kHz", "a.wav", wav16, nullptr, false},
    {"24-bit mono at 48 kHz", "a.wav", [] { return wavBytes(cMajor(48000), 48000, 1, 24, false); }, nullptr, false},
    {"32-bit integer, 4 channels at 192 kHz", "a.wav", [] { return wavBytes(cMajor(192000), 192000, 4, 32, false); }, nullptr, false},
    {"32-bit float, 3 channels at 8 kHz", "a.wav", [] { return wavBytes(cMajor(8000), 8000, 3, 32, true); }, nullptr, false},
    {"not audio", "a.wav", [] { return std::string("C E G, just the names\n"); }, "", false},
    {"a header and half its samples", "a.wav", [] { std::string b = wav16(); return b.substr(0, b.size() / 2); }, "truncated", false},
    {"no samples", "a.wav", [] { return wavBytes({}, 44100, 2, 16, false); }, "no samples", false},
    {"no channels", "a.wav", [] { std::string b = wav16(); b[22] = 0; b[23] = 0; return b; }, "", false},
    {"a header claiming 10^12 frames", "a.wav",
     [] {  // RF64: the sizes in a ds64 chunk, 64 bits wide
         std::string b = wav16(), sizes(28, '\0');
         uint64_t claimed = 4000000000000ull;
         for (int i = 0; i < 8; ++i) sizes[8 + i] = static_cast<char>(claimed >> (8 * i) & 0xFF);
         std::string rf64 = "RF64" + std::string("\xff\xff\xff\xff", 4) + "WAVEds64" + std::string("\x1c\0\0\0", 4) + sizes +
                            b.substr(12, 24) + "data" + std::string("\xff\xff\xff\xff", 4) + b.substr(44);
         return rf64;
     }, "", false},
    {"a sample that is not a number", "a.wav",
     [] { std::vector<float> x = cMajor(8000); x[4000] = std::nanf(""); return wavBytes(x, 8000, 1, 32, true); }, "not numbers", false},
    {"a sample rate of 4 kHz", "a.wav", [] { return wavBytes(cMajor(4000), 4000, 1, 16, false); }, "outside 8 to 192 kHz", false},
    {"a folder", "folder.wav", nullptr, "", false},
    {"FLAC", "a.flac", nullptr, nullptr, true},
    {"Ogg Vorbis", "a.ogg", nullptr, nullptr, true},
    {"Opus", "a.opus", nullptr, nullptr, true},
    {"MP3", "a.mp3", nullptr, nullptr, true},
};

#ifndef WAV_READER_ONLY
void writeCompressed(const std::string& file) {
    int format = file.ends_with(".flac")  ? SF_FORMAT_FLAC | SF_FORMAT_PCM_16
                 : file.ends_with(".ogg") ? SF_FORMAT_OGG | SF_FORMAT_VORBIS
                 : file.ends_with(".opus") ? SF_FORMAT_OGG | SF_FORMAT_OPUS
                                           : SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    int rate = file.ends_with(".opus") ? 48000 : 44100;
    SF_INFO info{0, rate, 2, format, 0, 0};
    SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
    ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
    std::vector<float> mono = cMajor(rate), stereo;
    for (float x : mono) stereo.insert(stereo.end(), {x, x});
    sf_writef_float(out, stereo.data(), static_cast<sf_count_t>(mono.size()));
    sf_close(out);
}
#endif

TEST(RecordingReader, ReadsWhatItCanAndSaysWhyNotInOneLine) {
    ScratchDirectory directory("tonvisor recordings");
    for (const ReaderCase& c : Cases) {
#ifdef WAV_READER_ONLY
        if (c.compressed) continue;
#else
        if (c.compressed) writeCompressed(c.file);
#endif
        SCOPED_TRACE(c.what);
        if (c.bytes) directory.write(c.file, c.bytes());
        if (!c.bytes && !c.compressed) std::filesystem::create_directory(c.file);
        Piece piece{};
        std::string error;
        bool read = readRecording(c.file, piece, error);
        std::filesystem::remove_all(c.file);
        if (c.error != nullptr) {
            EXPECT_FALSE(read);
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
            EXPECT_FALSE(error.empty());
            EXPECT_EQ(error.find('\n'), std::string::npos) << error;
            continue;
        }
        ASSERT_TRUE(read) << error;
        EXPECT_NEAR(piece.duration, 2.0, 0.06);
        EXPECT_EQ(chordSymbols(piece), std::vector<std::string>{"C"});
    }
}

}  // namespace
