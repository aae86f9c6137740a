// The live session: what the person has played and what the input has heard
// since listening started or a key was first played, kept as a piece that
// grows as it goes, so that the piece window can show it, save its chords and
// play it back.
//
// - Columns of the chord spectrogram every ColumnSeconds: the held keys' chord
//   while keys sound, else what the input heard (two frames' chroma summed,
//   as a recording's columns), else nothing.
// - Segments: the chord shown in the main window as it was held or heard
//   (the stability rule's chord for audio), "N" where nothing sounds; equal
//   neighbours merged.
// - For playing back: the keyboards' channel messages at their times, and the
//   heard sound in memory, mono at SessionRate. Nothing is written anywhere.
//
// Its clock runs while listening, while keys are held, and for IdleSeconds
// after the last key was let go: a long pause between two takes on the
// keyboard takes IdleSeconds of the session, not the whole pause. Audio
// frames reach the session late (the front end looks back over its window),
// so columns are made HearingDelay behind the clock. At SessionCap the
// session is full: it stops growing, and says so.
//
// Times given to it are seconds of any steady clock (GetTickCount / 1000);
// the times in the piece are seconds of the session's own clock.
#pragma once

#include <vector>

#include "audio/frontend.h"
#include "listening/audio_input.h"
#include "piece/timeline.h"

inline constexpr int SessionRate = ListenRate / 2;  // the heard sound kept at half the input's rate
inline constexpr double SessionCap = 3600.0;        // seconds: an hour
inline constexpr double IdleSeconds = 5.0;
inline constexpr double HearingDelay = 0.3;

// A chord the stability rule let through, at its time in the input's stream.
struct HeardChord {
    PitchSet chord;
    double streamTime;
};

// One buffer of the input, heard: `stream` tells one opening of the input
// from the next, frames and chords carry times from that opening's first sample.
struct HeardBlock {
    unsigned stream;
    const float* samples;  // full scale -1 .. 1, at ListenRate
    int count;
    const std::vector<AudioFrame>* frames;
    const std::vector<HeardChord>* chords;
};

// What changes the label of the columns from its time on.
struct SessionChange {
    double time;
    enum Kind { Held, KeysSounding, KeysSilent, Heard } kind;
    PitchSet chord;
};

struct SessionRecord {
    bool started, full;
    Piece piece;
    double clock;        // the session's time at `clockAt`
    double clockAt;      // the steady clock's time then
    bool listening, keysDown;
    double lastKeyAt;    // the steady clock's time at the last key let go
    // The input's stream: where its first sample lies in the session.
    bool streamOpen;
    unsigned stream;
    double streamStart;
    long long streamSamples;   // samples at ListenRate so far
    // What the columns made from here on start with, and what changes it.
    std::vector<SessionChange> changes;  // in time order, not yet reached
    bool keysSounding, heardSomething;
    PitchSet heldChord, heardChord;
    std::vector<AudioFrame> frames;      // heard, not yet in a column
};

extern SessionRecord Session;

// Nothing heard or played.
void resetSession(SessionRecord& session);

// The Listen box ticked (on) or cleared. On starts the session.
void sessionListening(SessionRecord& session, bool on, double now);
// A block of the input heard; starts the session if listening did not.
// True when the piece grew.
bool sessionHeardBlock(SessionRecord& session, const HeardBlock& block, double now);
// A channel message from a keyboard; keysDown: whether any key sounds after
// it. A note played starts the session.
void sessionKeyMessage(SessionRecord& session, unsigned message, bool keysDown, double now);
// The held keys settled into a chord.
void sessionHeldChord(SessionRecord& session, const PitchSet& chord, double now);
// The clock moved on: the columns it has passed are made. True when the
// piece grew.
bool advanceSession(SessionRecord& session, double now);
// Whether the session's clock is running (the owner's timer need run only then).
bool sessionRunning(const SessionRecord& session, double now);
