// A MIDI file's events become its notes, in seconds, as a synthesizer would
// sound them (midi_score.h): note-on with velocity 0 is a note-off, a key
// struck again while it sounds sounds twice and its note-offs end the
// earliest first, the sustain pedal holds released notes until it is lifted,
// and what still sounds at the end of the file ends there.
#include "piece/midi_score.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "piece/midi_timing.h"

namespace {

constexpr int Channels = 16, Keys = 128;
constexpr int SustainPedal = 64, ResetControllers = 121, AllNotesOff = 123;

struct Sounding {
    double start;
    std::uint8_t velocity;
};

struct ChannelState {
    std::vector<Sounding> held[Keys];       // keys down, earliest first
    std::vector<Sounding> sustained[Keys];  // released while the pedal is down
    bool pedal = false;
};

struct NoteTracker {
    std::vector<MidiNote>& notes;
    ChannelState channels[Channels];

    // Drums take no part in the harmony; a note of no length sounds nothing.
    void sound(const Sounding& note, double time, int key, int channel) {
        if (time > note.start && channel != DrumChannel)
            notes.push_back({note.start, time, static_cast<std::uint8_t>(key), note.velocity,
                             static_cast<std::uint8_t>(channel)});
    }
    void end(std::vector<Sounding>& list, double time, int key, int channel) {
        for (const Sounding& note : list) sound(note, time, key, channel);
        list.clear();
    }
    void endSustained(ChannelState& state, int channel, double time) {
        for (int key = 0; key < Keys; ++key) end(state.sustained[key], time, key, channel);
    }
    void noteOn(int channel, int key, int velocity, double time) {
        ChannelState& state = channels[channel];
        end(state.sustained[key], time, key, channel);  // struck again: the held sound stops
        state.held[key].push_back({time, static_cast<std::uint8_t>(velocity)});
    }
    void noteOff(int channel, int key, double time) {
        ChannelState& state = channels[channel];
        std::vector<Sounding>& held = state.held[key];
        if (held.empty()) return;
        if (state.pedal) state.sustained[key].push_back(held.front());
        else sound(held.front(), time, key, channel);
        held.erase(held.begin());
    }
    void controller(int channel, int number, int value, double time) {
        ChannelState& state = channels[channel];
        if (number == SustainPedal || number == ResetControllers) {
            state.pedal = number == SustainPedal && value >= 64;
            if (!state.pedal) endSustained(state, channel, time);
        } else if (number == AllNotesOff) {
            for (int key = 0; key < Keys; ++key) end(state.held[key], time, key, channel);
            endSustained(state, channel, time);
        }
    }
    void message(const SmfEvent& event, double time) {
        const int channel = event.status & 0x0F;
        switch (event.status & 0xF0) {
        case 0x90:
            if (event.data2 > 0) noteOn(channel, event.data1, event.data2, time);
            else noteOff(channel, event.data1, time);
            break;
        case 0x80: noteOff(channel, event.data1, time); break;
        case 0xB0: controller(channel, event.data1, event.data2, time); break;
        default: break;
        }
    }
    void finish(double time) {
        for (int channel = 0; channel < Channels; ++channel)
            for (int key = 0; key < Keys; ++key) {
                end(channels[channel].held[key], time, key, channel);
                end(channels[channel].sustained[key], time, key, channel);
            }
    }
};

std::vector<const SmfEvent*> inTimeOrder(const SmfContent& content) {
    std::vector<const SmfEvent*> events;
    events.reserve(content.events.size());
    for (const SmfEvent& event : content.events) events.push_back(&event);
    std::stable_sort(events.begin(), events.end(),
                     [](const SmfEvent* a, const SmfEvent* b) { return a->tick < b->tick; });
    return events;
}

void collectKeys(const std::vector<const SmfEvent*>& events, const TempoMap& map, MidiScore& score) {
    for (const SmfEvent* event : events)
        if (event->kind == SmfEventKind::KeySignature)
            score.keys.push_back({secondsAt(map, event->tick), event->value < 0});
}

}  // namespace

bool scoreOfEvents(const SmfContent& content, MidiScore& score, Piece& piece, std::string& error) {
    score = MidiScore{};
    const TempoMap map = tempoMapOf(content);
    score.duration = secondsAt(map, content.endTick);
    if (!(score.duration <= LongestPiece)) {
        char hours[64];
        std::snprintf(hours, sizeof hours, "the piece lasts %.0f hours; pieces of up to %.0f hours are read",
                      score.duration / 3600, LongestPiece / 3600);
        error = hours;
        return false;
    }
    if (!buildGrid(content, map, score, error)) return false;
    const std::vector<const SmfEvent*> events = inTimeOrder(content);
    collectKeys(events, map, score);
    auto tracker = std::make_unique<NoteTracker>(NoteTracker{score.notes, {}});
    piece.messages.clear();
    for (const SmfEvent* event : events) {
        if (event->kind != SmfEventKind::Channel) continue;
        const double time = secondsAt(map, event->tick);
        piece.messages.push_back({time, event->status | unsigned{event->data1} << 8 | unsigned{event->data2} << 16});
        tracker->message(*event, time);
    }
    tracker->finish(score.duration);
    std::stable_sort(score.notes.begin(), score.notes.end(),
                     [](const MidiNote& a, const MidiNote& b) { return a.start < b.start; });
    piece.duration = score.duration;
    piece.barStarts = score.barStarts;
    return true;
}

bool flatsAt(const MidiScore& score, double time) {
    bool flats = !score.keys.empty() && score.keys.front().flats;  // the key of the start holds from 0
    for (const KeyChange& change : score.keys) {
        if (change.time > time) break;
        flats = change.flats;
    }
    return flats;
}
