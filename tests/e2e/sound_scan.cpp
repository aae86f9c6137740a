// What a recording of the program holds, for the end-to-end sound test: the
// chord that starts at the first onset (the level rising above -40 dB of full
// scale), scanned from 0.1 s to 1.1 s after it with the sound tests' pitch
// scan, or silence.
//   sound_scan FILE KEY...   exactly these MIDI keys sound (pitch_scan.h)
//   sound_scan FILE          nothing louder than -60 dB
//   sound_scan FILE --onsets SECONDS...
//                            a hit for each time, and each hit's onset within
//                            2 ms of its time plus the median latency
// Prints what it found; exit status 0 when it is what was asked, 1 when not,
// 2 when the file cannot be read.
#include <sndfile.h>

#include <algorithm>
#include <cmath>
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

// The first sample within 10 dB of the recording's peak of each hit that
// follows 50 ms more than 15 dB below it: above the reverberation of the hit
// before, on the steep part of the attack.
std::vector<int> hits(const Recording& recording) {
    const float peak = static_cast<float>(std::pow(10.0, peakDecibels(recording.stereo, 0, recording.frames()) / 20));
    const float onsetLevel = peak * 0.316f, quietLevel = peak * 0.178f;
    const int quietFrames = recording.rate / 20;
    std::vector<int> found;
    int quietSince = 0;
    bool armed = false;  // quiet long enough: the next sound is a hit
    for (int frame = 0; frame < recording.frames(); ++frame) {
        const float level = std::max(std::abs(recording.stereo[2 * frame]), std::abs(recording.stereo[2 * frame + 1]));
        if (level < quietLevel) {
            armed = armed || frame - quietSince >= quietFrames;
            continue;
        }
        quietSince = frame + 1;
        if (armed && level > onsetLevel) {
            found.push_back(frame);
            armed = false;
        }
    }
    return found;
}

int checkOnsets(const Recording& recording, const std::vector<double>& times) {
    constexpr double Tolerance = 2.0;  // milliseconds
    const std::vector<int> found = hits(recording);
    if (found.size() != times.size()) {
        std::printf("%zu hits heard, %zu in the file\n", found.size(), times.size());
        return 1;
    }
    std::vector<double> late;
    for (std::size_t i = 0; i < found.size(); ++i) late.push_back(1000.0 * found[i] / recording.rate - 1000.0 * times[i]);
    std::vector<double> sorted = late;
    std::sort(sorted.begin(), sorted.end());
    const double latency = sorted[sorted.size() / 2];
    bool onTime = true;
    for (std::size_t i = 0; i < late.size(); ++i) {
        const double off = late[i] - latency;
        onTime = onTime && std::fabs(off) <= Tolerance;
        std::printf("hit at %.4f s for %.4f s: %+.2f ms from the latency of %.2f ms\n",
                    static_cast<double>(found[i]) / recording.rate, times[i], off, latency);
    }
    return onTime ? 0 : 1;
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

    if (std::string(argv[2]) == "--onsets") {
        std::vector<double> times;
        for (int i = 3; i < argc; ++i) times.push_back(std::atof(argv[i]));
        return checkOnsets(recording, times);
    }
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
