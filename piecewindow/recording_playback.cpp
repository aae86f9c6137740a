// A recording's own sound through the wave output (recording_playback.h).
#include "piecewindow/recording_playback.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "piecewindow/state.h"

namespace {

constexpr int BuffersPerSecond = 5;  // each buffer 0.2 s of sound
constexpr int BytesPerSample = 2;    // 16-bit mono

RecordingPlayer& player() { return PieceWindow.recording; }

void tellSilence(const std::string& why) {
    if (player().toldSilence) return;
    player().toldSilence = true;
    std::fprintf(stderr, "No sound for the recording: %s\n", why.c_str());
}

void tellDeviceError(MMRESULT result) {
    char text[MAXERRORLENGTH] = "";
    waveOutGetErrorTextA(result, text, sizeof text);
    tellSilence(text);
}

bool openDevice(int sampleRate) {
    RecordingPlayer& p = player();
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = 8 * BytesPerSample;
    format.nBlockAlign = BytesPerSample;
    format.nAvgBytesPerSec = format.nSamplesPerSec * BytesPerSample;
    const MMRESULT result = waveOutOpen(&p.device, WAVE_MAPPER, &format,
                                        reinterpret_cast<DWORD_PTR>(PieceWindow.window), 0, CALLBACK_WINDOW);
    if (result != MMSYSERR_NOERROR) {
        p.device = nullptr;
        tellDeviceError(result);
        return false;
    }
    p.sampleRate = sampleRate;
    const std::size_t frames = static_cast<std::size_t>(sampleRate / BuffersPerSecond);
    p.block.resize(frames);
    for (std::vector<std::int16_t>& samples : p.samples) samples.resize(frames);
    for (WAVEHDR& header : p.headers) header = WAVEHDR{};
    return true;
}

void closeFile() {
    RecordingPlayer& p = player();
    if (p.fileOpen) closeSoundFile(p.file);
    p.fileOpen = false;
}

bool inMemory() { return !PieceWindow.piece.samples.empty(); }

// The file open again with its first `frame` samples read past: the readers
// go forward only. Sound in memory is read from the frame on at once.
bool openSourceAt(std::int64_t frame, std::string& error) {
    RecordingPlayer& p = player();
    if (inMemory()) {
        p.memoryAt = static_cast<std::size_t>(std::max<std::int64_t>(frame, 0));
        return true;
    }
    closeFile();
    if (!openSoundFile(PieceWindow.piece.path, p.file, error)) return false;
    p.fileOpen = true;
    while (frame > 0) {
        const int wanted = static_cast<int>(std::min<std::int64_t>(frame, static_cast<std::int64_t>(p.block.size())));
        const int read = readSoundFile(p.file, p.block.data(), wanted, error);
        if (read < 0) return false;
        if (read == 0) break;
        frame -= read;
    }
    return true;
}

// The next samples into the block: their count, 0 at the end, -1 on an error.
int readSource(std::string& error) {
    RecordingPlayer& p = player();
    if (!inMemory()) return readSoundFile(p.file, p.block.data(), static_cast<int>(p.block.size()), error);
    const std::vector<std::int16_t>& samples = PieceWindow.piece.samples;
    const std::size_t count = std::min(p.block.size(), samples.size() - std::min(p.memoryAt, samples.size()));
    for (std::size_t i = 0; i < count; ++i) p.block[i] = samples[p.memoryAt + i] / 32768.0f;
    p.memoryAt += count;
    return static_cast<int>(count);
}

// The sample rate of the sound to play.
bool sourceRate(int& rate, std::string& error) {
    if (inMemory()) {
        rate = PieceWindow.piece.sampleRate;
        return true;
    }
    SoundFile probe;
    if (!openSoundFile(PieceWindow.piece.path, probe, error)) return false;
    rate = probe.sampleRate;
    closeSoundFile(probe);
    return true;
}

// The buffer filled with the file's next samples and queued; false at the
// file's end or when the device refuses it.
bool queue(WAVEHDR& header, std::vector<std::int16_t>& samples) {
    RecordingPlayer& p = player();
    if (p.fileEnded) return false;
    std::string error;
    const int read = readSource(error);
    if (read <= 0) {
        if (read < 0) tellSilence(error);
        p.fileEnded = true;
        return false;
    }
    for (int i = 0; i < read; ++i)
        samples[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(std::lround(std::clamp(p.block[static_cast<std::size_t>(i)], -1.0f, 1.0f) * 32767.0f));
    if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(p.device, &header, sizeof header);
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(samples.data());
    header.dwBufferLength = static_cast<DWORD>(read * BytesPerSample);
    waveOutPrepareHeader(p.device, &header, sizeof header);
    const MMRESULT result = waveOutWrite(p.device, &header, sizeof header);
    if (result != MMSYSERR_NOERROR) {
        tellDeviceError(result);
        p.fileEnded = true;
        return false;
    }
    return true;
}

bool anyQueued() {
    return std::any_of(std::begin(player().headers), std::end(player().headers),
                       [](const WAVEHDR& header) { return (header.dwFlags & WHDR_INQUEUE) != 0; });
}

}  // namespace

bool playRecordingFrom(double time) {
    RecordingPlayer& p = player();
    if (p.device && p.paused && std::fabs(time - p.pausedAt) * p.sampleRate < 0.5) {
        p.paused = false;
        return waveOutRestart(p.device) == MMSYSERR_NOERROR;
    }
    if (p.device) {
        waveOutReset(p.device);
    } else {
        int rate = 0;
        std::string error;
        if (!sourceRate(rate, error)) {
            tellSilence(error);
            return false;
        }
        if (!openDevice(rate)) return false;
    }
    p.startFrame = std::llround(time * p.sampleRate);
    std::string error;
    if (!openSourceAt(p.startFrame, error)) {
        tellSilence(error);
        stopRecording();
        return false;
    }
    p.fileEnded = false;
    for (int i = 0; i < RecordingBufferCount; ++i) queue(p.headers[i], p.samples[i]);
    if (p.paused) waveOutRestart(p.device);  // a pause holds through a reset
    p.paused = false;
    return true;
}

void pauseRecording() {
    RecordingPlayer& p = player();
    if (!p.device || p.paused) return;
    waveOutPause(p.device);
    recordingPosition(p.pausedAt);
    p.paused = true;
}

void stopRecording() {
    RecordingPlayer& p = player();
    closeFile();
    if (!p.device) return;
    waveOutReset(p.device);
    for (WAVEHDR& header : p.headers)
        if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(p.device, &header, sizeof header);
    waveOutClose(p.device);
    p.device = nullptr;
    p.paused = false;
}

void recordingBufferDone(WAVEHDR* header) {
    RecordingPlayer& p = player();
    if (!p.device) return;
    const auto found = std::find_if(std::begin(p.headers), std::end(p.headers),
                                    [header](const WAVEHDR& ours) { return &ours == header; });
    // A header queued again since (a reset refills at once) is not done.
    if (found == std::end(p.headers) || !(header->dwFlags & WHDR_DONE) || (header->dwFlags & WHDR_INQUEUE)) return;
    queue(*found, p.samples[found - std::begin(p.headers)]);
}

bool recordingPosition(double& seconds) {
    RecordingPlayer& p = player();
    if (!p.device) return false;
    MMTIME time = {};
    time.wType = TIME_SAMPLES;
    if (waveOutGetPosition(p.device, &time, sizeof time) != MMSYSERR_NOERROR) return false;
    const std::int64_t played = time.wType == TIME_BYTES ? time.u.cb / BytesPerSample : time.u.sample;
    seconds = static_cast<double>(p.startFrame + played) / p.sampleRate;
    // Everything the file holds has played: the end, whatever the header claimed.
    if (p.fileEnded && !anyQueued()) seconds = std::max(seconds, PieceWindow.piece.duration);
    return true;
}
