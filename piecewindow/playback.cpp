// The piece's sequencer (playback.h).
#include "piecewindow/playback.h"

#include <algorithm>
#include <cmath>

#include "piecewindow/moments.h"
#include "piecewindow/piece_window.h"
#include "piecewindow/recording_playback.h"
#include "piecewindow/state.h"
#include "piecewindow/view.h"

namespace {

constexpr unsigned NoteOffStatus = 0x80, NoteOnStatus = 0x90, PolyPressureStatus = 0xA0;
constexpr unsigned ControlChangeStatus = 0xB0, ProgramChangeStatus = 0xC0;
constexpr unsigned AllSoundOff = 120, ResetAllControllers = 121, AllNotesOff = 123;
constexpr int ChannelCount = 16;
constexpr double ShortestTimer = 10;  // milliseconds: SetTimer waits no less (USER_TIMER_MINIMUM)

void send(unsigned message) {
    if (HMIDIOUT output = PieceWindow.host.synthesizer ? PieceWindow.host.synthesizer() : nullptr)
        midiOutShortMsg(output, message);
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

bool setsChannelState(unsigned message) {
    const unsigned kind = message & 0xF0;
    return kind != NoteOffStatus && kind != NoteOnStatus && kind != PolyPressureStatus;
}

// Programs, controllers, pressure and bends of everything before the start.
void chaseChannelState(std::size_t until) {
    const std::vector<TimedMessage>& messages = PieceWindow.piece.messages;
    for (std::size_t i = 0; i < until; ++i)
        if (setsChannelState(messages[i].message)) send(messages[i].message);
}

std::size_t firstMessageFrom(double time) {
    const std::vector<TimedMessage>& messages = PieceWindow.piece.messages;
    return static_cast<std::size_t>(
        std::lower_bound(messages.begin(), messages.end(), time,
                         [](const TimedMessage& message, double t) { return message.time < t; }) -
        messages.begin());
}

// A frame on, or until the next message when that comes sooner than a frame
// and the shortest timer after it: no frame's timer may fall due just before a
// message and leave it waiting for the shortest timer. Only messages closer
// together than the shortest timer go out late, by less than it.
UINT nextDelay(double now) {
    const std::vector<TimedMessage>& messages = PieceWindow.piece.messages;
    double wait = FrameMilliseconds;
    if (PieceWindow.playback.nextMessage < messages.size()) {
        const double untilNext = (messages[PieceWindow.playback.nextMessage].time - now) * 1000.0;
        if (untilNext <= FrameMilliseconds + ShortestTimer) wait = untilNext;
    }
    return static_cast<UINT>(std::max(1.0, std::ceil(wait)));
}

// The cursor moves at most once a frame, so that notes close together are
// not kept waiting by drawing.
void showFrameAt(double now) {
    PiecePlayback& playback = PieceWindow.playback;
    const DWORD tick = GetTickCount();
    if (static_cast<DWORD>(tick - playback.frameTick) < FrameMilliseconds) return;
    playback.frameTick = tick;
    PieceWindow.cursorTime = now;
    keepInView(now);
    followSegmentAt(now);
    redrawPieceWindow();
}

void stopTimer() { KillTimer(PieceWindow.window, PieceWindow.host.playbackTimer); }

}  // namespace

double playbackTime() {
    const PiecePlayback& playback = PieceWindow.playback;
    if (!playback.playing) return PieceWindow.cursorTime;
    double played;
    if (recordingPosition(played)) return played;
    return playback.startTime + static_cast<DWORD>(GetTickCount() - playback.startTick) / 1000.0;
}

void startPlaying() {
    if (!PieceWindow.hasPiece || PieceWindow.playback.playing) return;
    PiecePlayback& playback = PieceWindow.playback;
    if (PieceWindow.cursorTime >= PieceWindow.piece.duration) PieceWindow.cursorTime = 0;
    playback.startTime = PieceWindow.cursorTime;
    playback.nextMessage = firstMessageFrom(playback.startTime);
    chaseChannelState(playback.nextMessage);
    if (PieceWindow.piece.kind == PieceKind::Recording) playRecordingFrom(playback.startTime);
    playback.startTick = GetTickCount();
    playback.frameTick = playback.startTick - FrameMilliseconds;  // the first frame at once
    playback.playing = true;
    playbackTick();
}

void pausePlaying() {
    if (!PieceWindow.playback.playing) return;
    PieceWindow.cursorTime = std::min(playbackTime(), PieceWindow.piece.duration);
    PieceWindow.playback.playing = false;
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

void playbackTick() {
    PiecePlayback& playback = PieceWindow.playback;
    if (!playback.playing) return;
    const std::vector<TimedMessage>& messages = PieceWindow.piece.messages;
    const double now = playbackTime();
    for (; playback.nextMessage < messages.size() && messages[playback.nextMessage].time <= now; ++playback.nextMessage)
        send(messages[playback.nextMessage].message);
    if (now >= PieceWindow.piece.duration && playback.nextMessage >= messages.size()) {
        stopPlaying();
        return;
    }
    SetTimer(PieceWindow.window, PieceWindow.host.playbackTimer, nextDelay(now), nullptr);
    showFrameAt(now);
}
