// Ticks to seconds through the tempo map, and the beat grid with its bars
// from the time signatures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "piece/midi_score.h"
#include "piece/smf_events.h"

struct TempoPoint {
    std::uint64_t tick;
    double seconds;         // the time at `tick`
    double secondsPerTick;  // from `tick` on
};

struct TempoMap {
    std::vector<TempoPoint> points;  // by tick, the first at tick 0
};

// Every Set Tempo of every track, in tick order (SMPTE time has none).
TempoMap tempoMapOf(const SmfContent& content);

double secondsAt(const TempoMap& map, std::uint64_t tick);

// The beats and bar lines up to the end, in `score`. Beats closer together
// than MinimumBeat are thinned out; a file whose meters would take more than
// MaxGridBeats beats to walk through is refused (false, with the reason).
inline constexpr double MinimumBeat = 0.1;  // seconds
inline constexpr double MaxGridBeats = 4e6;
bool buildGrid(const SmfContent& content, const TempoMap& map, MidiScore& score, std::string& error);
