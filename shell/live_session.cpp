// The live session from Form1's side (live_session.h).
#include "shell/live_session.h"

#include <vector>

#include "listening/listen_watch.h"
#include "midi/held_notes.h"
#include "midi/keyboards.h"
#include "piecewindow/live.h"
#include "piecewindow/state.h"
#include "session/session.h"
#include "shell/form.h"
#include "shell/window_ids.h"

namespace {

// The chords heard within the buffer being heard, handed over with it.
std::vector<HeardChord> chordsHeard;
DWORD lastTick;
double steadyTime;
bool ticking;  // the session's timer is set

// Seconds on GetTickCount, counted on across its wrap.
double now() {
    const DWORD tick = GetTickCount();
    steadyTime += static_cast<DWORD>(tick - lastTick) / 1000.0;
    lastTick = tick;
    return steadyTime;
}

// The session just started, or grew: shown where the window is not busy with a file.
void sessionMoved(bool wasStarted, bool grew) {
    if (!wasStarted && Session.started && (!PieceWindow.hasPiece || PieceWindow.live.shown))
        showLiveSession(false);
    else if (grew)
        liveSessionGrew();
    // Set once: set again at every key or buffer, it would never fall due while they come.
    if (!ticking && sessionRunning(Session, now())) {
        SetTimer(Form1, SessionTimer, SessionFrameMilliseconds, nullptr);
        ticking = true;
    }
}

void blockHeard(const float* samples, int count, const std::vector<AudioFrame>& frames) {
    const bool wasStarted = Session.started;
    const bool grew =
        sessionHeardBlock(Session, HeardBlock{ListenWatch.openedAt, samples, count, &frames, &chordsHeard}, now());
    chordsHeard.clear();
    sessionMoved(wasStarted, grew);
}

}  // namespace

void prepareLiveSession() {
    resetSession(Session);
    chordsHeard.clear();
    lastTick = GetTickCount();
    steadyTime = 0;
    ticking = false;
}

void startLiveSession() { watchHeardBlocks(blockHeard); }

const Piece* currentLiveSession(bool* full) {
    if (!Session.started) return nullptr;
    if (full) *full = Session.full;
    return &Session.piece;
}

void sessionListenSwitched(bool on) {
    const bool wasStarted = Session.started;
    sessionListening(Session, on, now());
    sessionMoved(wasStarted, false);
}

void sessionChordHeard(const PitchSet& chord, double watchTime) {
    const double opened = static_cast<DWORD>(ListenWatch.openedAt - ListenWatch.startedAt) / 1000.0;
    chordsHeard.push_back({chord, watchTime - opened});
}

void sessionKeyboardData(HMIDIIN input, DWORD message) {
    if (!isKeyboardInput(input)) return;
    const bool wasStarted = Session.started;
    sessionKeyMessage(Session, message, HeldNotes.held.any(), now());
    if (Session.started) sessionMoved(wasStarted, false);
}

void sessionChordHeld(const PitchSet& chord) { sessionHeldChord(Session, chord, now()); }

bool sessionTimerDue(WPARAM timer) {
    if (timer != SessionTimer) return false;
    const double time = now();
    if (advanceSession(Session, time)) liveSessionGrew();
    if (!sessionRunning(Session, time)) {
        KillTimer(Form1, SessionTimer);
        ticking = false;
    }
    return true;
}
