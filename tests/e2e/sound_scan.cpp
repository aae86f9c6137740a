// What a recording of the program holds, for the end-to-end sound test: the
// chord that starts at the first onset (the level rising above -40 dB of full
// scale), scanned from 0.1 s to 1.1 s after it with the sound tests' pitch
// scan, or silence.
//   sound_scan FILE KEY...   exactly these MIDI keys sound (pitch_scan.h)
//   sound_scan FILE          nothing louder than -60 dB
// Prints what it found; exit status 0 when it is what was asked, 1 when not,
// 2 when the file cannot be read.
#include <sndfile.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/pitch_scan.h"

namespace {

constexpr double OnsetDecibels = -40.0, SilenceDecibels = -60.0;

struct Recording {
    std::vector<float> stereo;  // interleaved left, right
    int rate = 0;
    int frames() const { return static_cast<int>(stereo.size() / 2); }
};

bool read(const char* path, Recording& recording) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (!file) return false;
    std::vector<float> samples(static_cast<std::size_t>(info.frames) * info.channels);
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    recording.rate = info.samplerate;
    for (sf_count_t frame = 0; frame < info.frames; ++frame)
        for (int side = 0; side < 2; ++side)
            recording.stereo.push_back(samples[frame * info.channels + side % info.channels]);
    return true;
}

int onset(const Recording& recording) {
    const int step = recording.rate / 100;
    for (int frame = 0; frame + step <= recording.frames(); frame += step)
        if (peakDecibels(recording.stereo, frame, step) > OnsetDecibels) return frame;
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    Recording recording;
    if (argc < 2 || !read(argv[1], recording)) {
        std::fprintf(stderr, "usage: sound_scan FILE [KEY...]: cannot read %s\n", argc < 2 ? "" : argv[1]);
        return 2;
    }
    const double peak = peakDecibels(recording.stereo, 0, recording.frames());
    std::printf("%s: %.2f s, peak %.1f dB\n", argv[1], static_cast<double>(recording.frames()) / recording.rate, peak);
    if (argc == 2) return peak < SilenceDecibels ? 0 : 1;

    std::vector<int> keys;
    for (int i = 2; i < argc; ++i) keys.push_back(std::atoi(argv[i]));
    const int start = onset(recording);
    if (start < 0 || start + recording.rate * 11 / 10 > recording.frames()) {
        std::printf("no chord of 1.1 s in it\n");
        return 1;
    }
    const std::string problems =
        chordProblems(scanPitches(recording.stereo, recording.rate, start + recording.rate / 10, recording.rate), keys);
    std::printf("onset at %.2f s: %s\n", static_cast<double>(start) / recording.rate,
                problems.empty() ? "the chord asked for" : problems.c_str());
    return problems.empty() ? 0 : 1;
}
