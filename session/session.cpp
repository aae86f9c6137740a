// The live session (session.h).
#include "session/session.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "analysis/analysis.h"
#include "audio/recording.h"
#include "listening/stability.h"

SessionRecord Session = {};

namespace {

constexpr unsigned NoteOnStatus = 0x90, SystemStatus = 0xF0;
constexpr double Never = -1e30;
// Frames wait for their column HearingDelay; a clock that stood still (no
// time passing between buffers) must not make them pile up: past this many
// (about a second and a half's worth), the oldest go.
constexpr std::size_t MostWaitingFrames = 64;

void start(SessionRecord& s, double now) {
    if (s.started) return;
    resetSession(s);
    s.started = true;
    s.clockAt = now;
}

// The clock runs while listening or keys are held, and a while after the last key.
double runningUntil(const SessionRecord& s, double now) {
    if (s.listening || s.keysDown) return now;
    return std::min(now, std::max(s.clockAt, s.lastKeyAt + IdleSeconds));
}

void moveClock(SessionRecord& s, double now) {
    now = std::max(now, s.clockAt);
    s.clock += runningUntil(s, now) - s.clockAt;
    s.clockAt = now;
}

bool pastCap(const SessionRecord& s) { return s.full || s.clock >= SessionCap; }

void addChange(SessionRecord& s, const SessionChange& change) {
    const auto at = std::upper_bound(s.changes.begin(), s.changes.end(), change.time,
                                     [](double time, const SessionChange& c) { return time < c.time; });
    s.changes.insert(at, change);
}

void applyChangesUntil(SessionRecord& s, double time) {
    std::size_t applied = 0;
    for (; applied < s.changes.size() && s.changes[applied].time < time; ++applied) {
        const SessionChange& change = s.changes[applied];
        switch (change.kind) {
        case SessionChange::Held: s.heldChord = change.chord; break;
        case SessionChange::KeysSounding: s.keysSounding = true; break;
        case SessionChange::KeysSilent: s.keysSounding = false; break;
        case SessionChange::Heard:
            s.heardChord = change.chord;
            s.heardSomething = true;
            break;
        }
    }
    s.changes.erase(s.changes.begin(), s.changes.begin() + static_cast<std::ptrdiff_t>(applied));
}

bool sameName(const ChordName& a, const ChordName& b) {
    return a.named == b.named && (!a.named || std::strcmp(a.symbol, b.symbol) == 0);
}

void extendSegments(SessionRecord& s, double start, double end, const PitchSet& chord) {
    const ChordName name = chord.count ? nameChord(chord) : ChordName{};
    std::vector<PieceSegment>& segments = s.piece.segments;
    if (!segments.empty() && sameName(segments.back().name, name)) {
        segments.back().end = end;
        return;
    }
    PieceSegment segment{};
    segment.start = start;
    segment.end = end;
    segment.pitches = chord;
    segment.name = name;
    segments.push_back(segment);
}

// The frames heard before `end`, summed; false when none of them sounds.
bool takeHeardFrames(SessionRecord& s, double end, float (&treble)[PitchClassCount], float (&bass)[PitchClassCount]) {
    float level = 0.0f;
    std::size_t taken = 0;
    for (; taken < s.frames.size() && s.frames[taken].time < end; ++taken) {
        const AudioFrame& frame = s.frames[taken];
        for (int p = 0; p < PitchClassCount; ++p) {
            treble[p] += frame.treble[p];
            bass[p] += frame.bass[p];
        }
        level = std::max(level, frame.level);
    }
    s.frames.erase(s.frames.begin(), s.frames.begin() + static_cast<std::ptrdiff_t>(taken));
    return taken > 0 && level >= SilenceLevel;
}

// A column takes every change made before its end: the held keys' chord,
// settled a moment after the keys went down, is in the column they went down in.
void addColumn(SessionRecord& s, double start, double end) {
    applyChangesUntil(s, end);
    float treble[PitchClassCount] = {}, bass[PitchClassCount] = {};
    const bool heard = takeHeardFrames(s, end, treble, bass);
    PieceColumn column{};
    column.start = start;
    column.end = end;
    column.pitches = s.keysSounding ? s.heldChord : heard ? chromaPitches(treble, bass) : emptyPitchSet();
    scoreChords(column.pitches, column.scores);
    s.piece.columns.push_back(column);
    extendSegments(s, start, end,
                   s.keysSounding ? s.heldChord : heard && s.heardSomething ? s.heardChord : emptyPitchSet());
}

// Every column the clock has passed, HearingDelay behind it.
bool makeColumns(SessionRecord& s) {
    const bool wasFull = s.full;
    bool grew = false;
    while (!s.full) {
        const double start = static_cast<double>(s.piece.columns.size()) * ColumnSeconds;
        const double end = start + ColumnSeconds;
        if (end > s.clock - HearingDelay) break;
        if (end > SessionCap) {
            s.full = true;
            break;
        }
        addColumn(s, start, end);
        grew = true;
    }
    if (grew) s.piece.duration = static_cast<double>(s.piece.columns.size()) * ColumnSeconds;
    return grew || s.full != wasFull;
}

// A new opening of the input starts where it was heard, never over sound already kept.
void openStream(SessionRecord& s, const HeardBlock& block) {
    std::vector<std::int16_t>& samples = s.piece.samples;
    s.streamOpen = true;
    s.stream = block.stream;
    s.streamSamples = 0;
    s.streamStart = std::max(s.clock - static_cast<double>(block.count) / ListenRate,
                             static_cast<double>(samples.size()) / SessionRate);
    const auto first = static_cast<std::size_t>(std::llround(s.streamStart * SessionRate));
    if (first > samples.size() && !pastCap(s)) samples.resize(first, 0);
    s.piece.kind = PieceKind::Recording;
}

// Two input samples make one kept sample: their mean.
void keepSamples(SessionRecord& s, const HeardBlock& block) {
    std::vector<std::int16_t>& samples = s.piece.samples;
    const auto capacity = static_cast<std::size_t>(SessionCap * SessionRate);
    for (int i = 1 - static_cast<int>(s.streamSamples % 2); i < block.count; i += 2) {
        if (samples.size() >= capacity) break;
        const float mean = (i > 0 ? block.samples[i - 1] + block.samples[i] : 2 * block.samples[i]) / 2;
        samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(mean, -1.0f, 1.0f) * 32767.0f)));
    }
    s.streamSamples += block.count;
}

}  // namespace

void resetSession(SessionRecord& s) {
    s = SessionRecord{};
    s.lastKeyAt = Never;
    s.heldChord = s.heardChord = emptyPitchSet();
    s.piece.kind = PieceKind::MidiFile;
    s.piece.title = "Session";
    s.piece.sampleRate = SessionRate;
}

void sessionListening(SessionRecord& s, bool on, double now) {
    if (on) start(s, now);
    if (!s.started) return;
    moveClock(s, now);
    s.listening = on;
    if (!on) s.streamOpen = false;
}

bool sessionHeardBlock(SessionRecord& s, const HeardBlock& block, double now) {
    start(s, now);
    moveClock(s, now);
    if (s.full) return false;  // nothing more is kept
    if (!s.streamOpen || s.stream != block.stream) openStream(s, block);
    keepSamples(s, block);
    for (AudioFrame frame : *block.frames) {
        frame.time += s.streamStart;
        s.frames.push_back(frame);
    }
    if (s.frames.size() > MostWaitingFrames)
        s.frames.erase(s.frames.begin(), s.frames.end() - static_cast<std::ptrdiff_t>(MostWaitingFrames));
    for (const HeardChord& heard : *block.chords)
        addChange(s, {s.streamStart + heard.streamTime, SessionChange::Heard, heard.chord});
    return makeColumns(s);
}

void sessionKeyMessage(SessionRecord& s, unsigned message, bool keysDown, double now) {
    const unsigned status = message & 0xFF;
    if (status >= SystemStatus) return;
    const bool noteOn = (status & 0xF0) == NoteOnStatus && (message >> 16 & 0x7F) > 0;
    if (noteOn) start(s, now);
    if (!s.started) return;
    moveClock(s, now);
    if (keysDown != s.keysDown && !s.full) {
        if (!keysDown) s.lastKeyAt = now;
        addChange(s, {s.clock, keysDown ? SessionChange::KeysSounding : SessionChange::KeysSilent, emptyPitchSet()});
    }
    s.keysDown = keysDown;
    if (!pastCap(s)) s.piece.messages.push_back({s.clock, message});
}

void sessionHeldChord(SessionRecord& s, const PitchSet& chord, double now) {
    if (!s.started) return;
    moveClock(s, now);
    if (!s.full) addChange(s, {s.clock, SessionChange::Held, chord});
}

bool advanceSession(SessionRecord& s, double now) {
    if (!s.started) return false;
    moveClock(s, now);
    return makeColumns(s);
}

bool sessionRunning(const SessionRecord& s, double now) {
    return s.started && !s.full && (s.listening || s.keysDown || now < s.lastKeyAt + IdleSeconds);
}
