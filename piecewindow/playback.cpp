// Playing the piece and its cursor (playback.h).
#include "piecewindow/playback.h"

#include <algorithm>

#include "piecewindow/moments.h"
#include "piecewindow/piece_stream.h"
#include "piecewindow/piece_window.h"
#include "piecewindow/recording_playback.h"
#include "piecewindow/state.h"
#include "piecewindow/view.h"

namespace {

constexpr unsigned ControlChangeStatus = 0xB0, ProgramChangeStatus = 0xC0;
constexpr unsigned AllSoundOff = 120, ResetAllControllers = 121, AllNotesOff = 123;
constexpr int ChannelCount = 16;

HMIDIOUT synthesizer() { return PieceWindow.host.synthesizer ? PieceWindow.host.synthesizer() : nullptr; }

void send(unsigned message) {
    if (HMIDIOUT output = synthesizer()) midiOutShortMsg(output, message);
}

// Notes cut off, and every channel back to General MIDI's start: the first
// program, controllers at rest; the main window's chords sound on the piano again.
void silenceEveryChannel() {
    for (unsigned channel = 0; channel < ChannelCount; ++channel) {
        send(ControlChangeStatus | channel | AllNotesOff << 8);
        send(ControlChangeStatus | channel | AllSoundOff << 8);
        send(ControlChangeStatus | channel | ResetAllControllers << 8);
        send(ProgramChangeStatus | channel);
    }
}

std::size_t firstMessageFrom(double time) {
    const std::vector<TimedMessage>& messages = PieceWindow.piece.messages;
    return static_cast<std::size_t>(
        std::lower_bound(messages.begin(), messages.end(), time,
                         [](const TimedMessage& message, double t) { return message.time < t; }) -
        messages.begin());
}

void stopTimer() { KillTimer(PieceWindow.window, PieceWindow.host.playbackTimer); }

}  // namespace

double playbackTime() {
    const PiecePlayback& playback = PieceWindow.playback;
    if (!playback.playing) return PieceWindow.cursorTime;
    double played;
    if (recordingPosition(played)) return played;
    if (streamPosition(played)) return playback.startTime + played;
    return playback.startTime + static_cast<DWORD>(GetTickCount() - playback.startTick) / 1000.0;
}

void startPlaying() {
    if (!PieceWindow.hasPiece || PieceWindow.playback.playing) return;
    PiecePlayback& playback = PieceWindow.playback;
    if (PieceWindow.cursorTime >= PieceWindow.piece.duration) PieceWindow.cursorTime = 0;
    playback.startTime = PieceWindow.cursorTime;
    if (PieceWindow.piece.kind == PieceKind::Recording)
        playRecordingFrom(playback.startTime);
    else if (synthesizer() && !PieceWindow.piece.messages.empty())
        playStreamFrom(firstMessageFrom(playback.startTime), playback.startTime);
    playback.startTick = GetTickCount();
    playback.playing = true;
    SetTimer(PieceWindow.window, PieceWindow.host.playbackTimer, FrameMilliseconds, nullptr);
    playbackTick();
}

void pausePlaying() {
    if (!PieceWindow.playback.playing) return;
    pauseStream();
    PieceWindow.cursorTime = std::min(playbackTime(), PieceWindow.piece.duration);
    PieceWindow.playback.playing = false;
    closeStream();
    pauseRecording();
    stopTimer();
    silenceEveryChannel();
    redrawPieceWindow();
}

void stopPlaying() {
    pausePlaying();
    stopRecording();
    PieceWindow.cursorTime = 0;
    keepInView(0);
    redrawPieceWindow();
}

void togglePlaying() {
    if (PieceWindow.playback.playing)
        pausePlaying();
    else
        startPlaying();
}

// The cursor where the piece is, kept in view, the main window on its chord.
void playbackTick() {
    if (!PieceWindow.playback.playing) return;
    const double now = playbackTime();
    if (now >= PieceWindow.piece.duration) {
        stopPlaying();
        return;
    }
    PieceWindow.cursorTime = now;
    keepInView(now);
    followSegmentAt(now);
    redrawPieceWindow();
}
