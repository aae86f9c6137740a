// Reading a recording file: two streamed passes over it.
#include "audio/recording_file.h"

#include <algorithm>
#include <vector>

#include "audio/frontend.h"
#include "audio/recording.h"
#include "audio/sound_file.h"

namespace {

constexpr int BlockFrames = 16384;
constexpr double TuningSeconds = 60.0;  // the tuning is measured on the first minute

// Opens the file and hands every block of mono samples to `take`, up to `seconds`.
template <typename Take>
bool streamFile(const std::string& path, double seconds, std::string& error, Take take) {
    SoundFile file{};
    if (!openSoundFile(path, file, error)) return false;
    std::vector<float> block(BlockFrames);
    while (file.framesRead < seconds * file.sampleRate) {
        int got = readSoundFile(file, block.data(), BlockFrames, error);
        if (got < 0) {
            closeSoundFile(file);
            return false;
        }
        if (got == 0) break;
        take(block.data(), got, file.sampleRate);
    }
    closeSoundFile(file);
    return true;
}

}  // namespace

bool measureRecording(const std::string& path, double& cents, float& loudest, std::string& error) {
    AudioFrontEnd meter;
    std::vector<AudioFrame> none;
    bool started = false;
    loudest = 0.0f;
    bool ok = streamFile(path, TuningSeconds, error, [&](const float* mono, int count, int sampleRate) {
        if (!started) startTuningMeter(meter, sampleRate);
        started = true;
        feedFrontEnd(meter, mono, count, none);
        loudest = std::max(loudest, rmsLevel(mono, count));
    });
    if (!started) return ok;
    finishFrontEnd(meter, none);
    cents = heardTuning(meter);
    releaseFrontEnd(meter);
    return ok;
}

bool readRecording(const std::string& path, Piece& piece, std::string& error) {
    double cents = 0.0;
    float loudest = 0.0f;
    if (!measureRecording(path, cents, loudest, error)) return false;
    RecordingAnalysis analysis;
    bool started = false;
    bool ok = streamFile(path, 1e300, error, [&](const float* mono, int count, int sampleRate) {
        if (!started) {
            startRecordingAnalysis(analysis, piece, sampleRate, cents);
            hearAsLoudest(analysis, loudest);
        }
        started = true;
        analyseSamples(analysis, mono, count);
    });
    if (started) finishRecordingAnalysis(analysis);
    if (!ok) return false;
    piece.kind = PieceKind::Recording;
    piece.path = path;
    size_t slash = path.find_last_of("/\\");
    piece.title = slash == std::string::npos ? path : path.substr(slash + 1);
    return true;
}
