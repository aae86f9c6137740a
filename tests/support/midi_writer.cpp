// The test MIDI writer (midi_writer.h).
#include "tests/support/midi_writer.h"

#include <algorithm>
#include <cmath>

namespace {

std::string bytesOf(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes += static_cast<char>(value);
    return bytes;
}

std::string meta(int type, const std::string& data) {
    return bytesOf({0xFF, type}) + quantity(static_cast<std::uint32_t>(data.size())) + data;
}

bool isNoteOff(const WrittenEvent& event) {
    const int status = static_cast<unsigned char>(event.bytes[0]) & 0xF0;
    return status == 0x80 || (status == 0x90 && event.bytes.size() == 3 && event.bytes[2] == 0);
}

std::string trackBytes(std::vector<WrittenEvent> events) {
    std::stable_sort(events.begin(), events.end(), [](const WrittenEvent& a, const WrittenEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : isNoteOff(a) && !isNoteOff(b);
    });
    std::string body;
    std::uint32_t now = 0;
    unsigned char running = 0;
    for (const WrittenEvent& event : events) {
        body += quantity(event.tick - now);
        now = event.tick;
        const unsigned char status = static_cast<unsigned char>(event.bytes[0]);
        const bool channel = status >= 0x80 && status < 0xF0;
        body += channel && status == running ? event.bytes.substr(1) : event.bytes;
        running = channel ? status : running;
    }
    body += quantity(0) + meta(0x2F, "");
    return "MTrk" + bigEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

}  // namespace

std::string bigEndian(std::uint32_t value, int bytes) {
    std::string text;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) text += static_cast<char>(value >> shift & 0xFF);
    return text;
}

std::string quantity(std::uint32_t value) {
    std::string text(1, static_cast<char>(value & 0x7F));
    while (value >>= 7) text.insert(text.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    return text;
}

void WrittenTrack::note(std::uint32_t tick, std::uint32_t length, int key, int velocity, int channel) {
    events.push_back({tick, bytesOf({0x90 | channel, key, velocity})});
    events.push_back({tick + length, bytesOf({0x80 | channel, key, 0})});
}

void WrittenTrack::controller(std::uint32_t tick, int number, int value, int channel) {
    events.push_back({tick, bytesOf({0xB0 | channel, number, value})});
}

void WrittenTrack::program(std::uint32_t tick, int program, int channel) {
    events.push_back({tick, bytesOf({0xC0 | channel, program})});
}

void WrittenTrack::tempo(std::uint32_t tick, double quartersPerMinute) {
    events.push_back({tick, meta(0x51, bigEndian(static_cast<std::uint32_t>(std::lround(6e7 / quartersPerMinute)), 3))});
}

void WrittenTrack::meter(std::uint32_t tick, int numerator, int denominator) {
    int power = 0;
    while ((1 << power) < denominator) ++power;
    events.push_back({tick, meta(0x58, bytesOf({numerator, power, 24, 8}))});
}

void WrittenTrack::key(std::uint32_t tick, int sharps, bool minor) {
    events.push_back({tick, meta(0x59, bytesOf({sharps & 0xFF, minor ? 1 : 0}))});
}

void WrittenTrack::name(const std::string& text) { events.push_back({0, meta(0x03, text)}); }

void WrittenTrack::raw(std::uint32_t tick, const std::string& bytes) { events.push_back({tick, bytes}); }

std::string smfBytes(const std::vector<WrittenTrack>& tracks, int ticksPerQuarter) {
    std::string file = "MThd" + bigEndian(6, 4) + bigEndian(tracks.size() > 1 ? 1 : 0, 2) +
                       bigEndian(static_cast<std::uint32_t>(tracks.size()), 2) +
                       bigEndian(static_cast<std::uint32_t>(ticksPerQuarter), 2);
    for (const WrittenTrack& track : tracks) file += trackBytes(track.events);
    return file;
}
