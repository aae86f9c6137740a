// The tempo map and the beat grid (midi_timing.h).
#include "piece/midi_timing.h"

#include <algorithm>

namespace {

constexpr double DefaultSecondsPerQuarter = 0.5;  // 120 quarter notes a minute, the format's default
constexpr double SmpteBeat = 0.5;                 // beats of SMPTE time, which has no quarter notes

std::vector<const SmfEvent*> eventsOfKind(const SmfContent& content, SmfEventKind kind) {
    std::vector<const SmfEvent*> found;
    for (const SmfEvent& event : content.events)
        if (event.kind == kind) found.push_back(&event);
    std::stable_sort(found.begin(), found.end(),
                     [](const SmfEvent* a, const SmfEvent* b) { return a->tick < b->tick; });
    return found;
}

struct Meter {
    std::uint64_t tick;
    int numerator;
    double beatTicks;
};

std::vector<Meter> metersOf(const SmfContent& content) {
    std::vector<Meter> meters;
    for (const SmfEvent* event : eventsOfKind(content, SmfEventKind::TimeSignature)) {
        Meter meter{event->tick, event->data1, content.ticksPerQuarter * 4.0 / (1 << event->data2)};
        if (!meters.empty() && meters.back().tick == meter.tick) meters.back() = meter;
        else meters.push_back(meter);
    }
    if (!meters.empty() && meters.front().tick > 0) meters.insert(meters.begin(), {0, 4, content.ticksPerQuarter * 1.0});
    return meters;
}

void addBeat(MidiScore& score, double time, int bar, int beat) {
    if (!score.grid.empty() && time - score.grid.back().time < MinimumBeat) return;
    score.grid.push_back({time, bar, beat});
}

// Bars follow each other at the meter in effect; a new meter starts a new bar.
void gridOfMeters(const std::vector<Meter>& meters, const TempoMap& map, std::uint64_t endTick, MidiScore& score) {
    int bar = 1;
    for (std::size_t m = 0; m < meters.size(); ++m) {
        const double meterEnd = m + 1 < meters.size() ? static_cast<double>(meters[m + 1].tick) : endTick;
        for (double barTick = meters[m].tick; barTick < meterEnd || (barTick == 0 && bar == 1); ++bar) {
            score.barStarts.push_back(secondsAt(map, static_cast<std::uint64_t>(barTick)));
            for (int beat = 0; beat < meters[m].numerator; ++beat) {
                const double tick = barTick + beat * meters[m].beatTicks;
                if (tick >= meterEnd && beat > 0) break;
                addBeat(score, secondsAt(map, static_cast<std::uint64_t>(tick)), bar, beat + 1);
            }
            barTick += meters[m].numerator * meters[m].beatTicks;
        }
    }
}

// How many beats the grid walks through before thinning them out.
double beatsToWalk(const SmfContent& content, const std::vector<Meter>& meters) {
    if (content.ticksPerQuarter == 0) return 0;  // SMPTE beats are of a fixed length
    if (meters.empty()) return static_cast<double>(content.endTick) / content.ticksPerQuarter;
    double beats = 0;
    for (std::size_t m = 0; m < meters.size(); ++m) {
        const double end = m + 1 < meters.size() ? static_cast<double>(meters[m + 1].tick) : content.endTick;
        beats += (end - meters[m].tick) / meters[m].beatTicks + meters[m].numerator;
    }
    return beats;
}

}  // namespace

TempoMap tempoMapOf(const SmfContent& content) {
    TempoMap map;
    if (content.ticksPerQuarter == 0) {
        map.points.push_back({0, 0.0, content.secondsPerTick});
        return map;
    }
    map.points.push_back({0, 0.0, DefaultSecondsPerQuarter / content.ticksPerQuarter});
    for (const SmfEvent* event : eventsOfKind(content, SmfEventKind::Tempo)) {
        const double perTick = event->value * 1e-6 / content.ticksPerQuarter;
        if (event->tick == map.points.back().tick) {
            map.points.back().secondsPerTick = perTick;
            continue;
        }
        map.points.push_back({event->tick, secondsAt(map, event->tick), perTick});
    }
    return map;
}

double secondsAt(const TempoMap& map, std::uint64_t tick) {
    auto after = std::upper_bound(map.points.begin(), map.points.end(), tick,
                                  [](std::uint64_t t, const TempoPoint& point) { return t < point.tick; });
    const TempoPoint& point = *(after - 1);
    return point.seconds + static_cast<double>(tick - point.tick) * point.secondsPerTick;
}

bool buildGrid(const SmfContent& content, const TempoMap& map, MidiScore& score, std::string& error) {
    const std::vector<Meter> meters = content.ticksPerQuarter ? metersOf(content) : std::vector<Meter>{};
    if (beatsToWalk(content, meters) > MaxGridBeats) {
        error = "the piece has more than four million beats";
        return false;
    }
    if (!meters.empty()) {
        gridOfMeters(meters, map, content.endTick, score);
        return true;
    }
    const double end = secondsAt(map, content.endTick);
    if (content.ticksPerQuarter == 0) {
        for (double time = 0; time < end || time == 0; time += SmpteBeat) addBeat(score, time, 0, 0);
        return true;
    }
    for (std::uint64_t tick = 0; tick < content.endTick || tick == 0; tick += content.ticksPerQuarter)
        addBeat(score, secondsAt(map, tick), 0, 0);
    return true;
}
