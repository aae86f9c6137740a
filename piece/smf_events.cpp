// The Standard MIDI File's chunks and track events (smf_events.h). Every read
// goes through a cursor that knows where its chunk ends, so no length field
// can lead it past the bytes that are there.
#include "piece/smf_events.h"

#include <cstdio>
#include <cstring>

namespace {

struct Cursor {
    const unsigned char* at;
    const unsigned char* end;
    std::size_t left() const { return static_cast<std::size_t>(end - at); }
};

std::uint32_t bigEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
    return value;
}

// A variable-length quantity of at most four bytes, as the format allows.
bool readQuantity(Cursor& cursor, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (cursor.at == cursor.end) return false;
        unsigned char byte = *cursor.at++;
        value = value << 7 | (byte & 0x7Fu);
        if (!(byte & 0x80u)) return true;
    }
    return false;
}

struct TrackReader {
    SmfContent& content;
    std::string& error;
    int track;                 // counted from 1 in messages
    Cursor cursor;
    std::uint64_t tick = 0;
    unsigned char running = 0;

    bool fail(const std::string& reason) {
        error = "track " + std::to_string(track) + ": " + reason;
        return false;
    }
    void add(SmfEventKind kind, unsigned char status, unsigned char data1, unsigned char data2, std::int32_t value) {
        content.events.push_back({tick, static_cast<std::uint32_t>(content.events.size()), kind, status, data1,
                                  data2, value});
    }
    bool channelEvent(unsigned char status, bool runningData) {
        const bool oneByte = (status & 0xF0u) == 0xC0u || (status & 0xF0u) == 0xD0u;
        const std::size_t needed = (oneByte ? 1u : 2u) - (runningData ? 1u : 0u);
        if (cursor.left() < needed) return fail("the track ends inside a channel message");
        unsigned char data[2] = {0, 0};
        if (runningData) data[0] = cursor.at[-1];
        for (std::size_t i = runningData ? 1 : 0; i < (oneByte ? 1u : 2u); ++i) data[i] = *cursor.at++;
        if ((data[0] | data[1]) & 0x80u) return fail("a channel message's data byte has its top bit set");
        add(SmfEventKind::Channel, status, data[0], data[1], 0);
        return true;
    }
    bool metaEvent(bool& ended) {
        if (cursor.left() < 1) return fail("the track ends inside a meta event");
        const unsigned char type = *cursor.at++;
        std::uint32_t length = 0;
        if (!readQuantity(cursor, length)) return fail("a meta event's length is cut off or longer than 4 bytes");
        if (length > cursor.left()) return fail("a meta event runs past the end of the track");
        const unsigned char* data = cursor.at;
        cursor.at += length;
        if (type == 0x2F) ended = true;
        else if (type == 0x51 && length >= 3) {
            const std::int32_t tempo = static_cast<std::int32_t>(bigEndian(data, 3));
            if (tempo == 0) return fail("a tempo of 0 microseconds per quarter note");
            add(SmfEventKind::Tempo, 0, 0, 0, tempo);
        } else if (type == 0x58 && length >= 2) {
            if (data[0] == 0 || data[1] > 6) return fail("a time signature of " + std::to_string(data[0]) +
                                                          " over 2 to the power " + std::to_string(data[1]));
            add(SmfEventKind::TimeSignature, 0, data[0], data[1], 0);
        } else if (type == 0x59 && length >= 1) {
            add(SmfEventKind::KeySignature, 0, 0, 0, static_cast<signed char>(data[0]));
        } else if (type == 0x03 && track == 1 && content.firstTrackName.empty()) {
            content.firstTrackName.assign(reinterpret_cast<const char*>(data), length);
        }
        return true;
    }
    bool sysexEvent() {
        std::uint32_t length = 0;
        if (!readQuantity(cursor, length)) return fail("a SysEx length is cut off or longer than 4 bytes");
        if (length > cursor.left()) return fail("a SysEx message runs past the end of the track");
        cursor.at += length;
        return true;
    }
    bool event(bool& ended) {
        std::uint32_t delta = 0;
        if (!readQuantity(cursor, delta)) return fail("a delta time is cut off or longer than 4 bytes");
        tick += delta;
        if (cursor.left() < 1) return fail("the track ends after a delta time");
        const unsigned char first = *cursor.at++;
        if (first < 0x80u) {
            if (running == 0) return fail("running status before any status byte");
            return channelEvent(running, true);
        }
        if (first < 0xF0u) {
            running = first;
            return channelEvent(first, false);
        }
        if (first == 0xFFu) return metaEvent(ended);
        if (first == 0xF0u || first == 0xF7u) return sysexEvent();
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", first);
        return fail(std::string("status byte ") + hex + " has no place in a file");
    }
    // A track without its End of Track ends where its bytes end.
    bool read() {
        bool ended = false;
        while (!ended && cursor.at < cursor.end)
            if (!event(ended)) return false;
        content.trackEnds.push_back(tick);
        if (tick > content.endTick) content.endTick = tick;
        return true;
    }
};

bool readHeader(Cursor& file, SmfContent& content, int& tracks, std::string& error) {
    if (file.left() < 8 || std::memcmp(file.at, "MThd", 4) != 0) {
        error = "not a MIDI file: it does not start with a MThd header chunk";
        return false;
    }
    const std::uint32_t length = bigEndian(file.at + 4, 4);
    if (length < 6) {
        error = "not a MIDI file: the header chunk is " + std::to_string(length) + " bytes long";
        return false;
    }
    if (length > file.left() - 8) {
        error = "the header chunk is " + std::to_string(length) + " bytes long, but the file ends after " +
                std::to_string(file.left() - 8);
        return false;
    }
    const unsigned char* header = file.at + 8;
    file.at += 8 + length;
    content.format = static_cast<int>(bigEndian(header, 2));
    tracks = static_cast<int>(bigEndian(header + 2, 2));
    const std::uint32_t division = bigEndian(header + 4, 2);
    if (content.format == 2) {
        error = "a format 2 MIDI file (a sequence of independent patterns): only formats 0 and 1 are read";
        return false;
    }
    if (content.format > 2) {
        error = "an unknown MIDI file format " + std::to_string(content.format);
        return false;
    }
    if (tracks == 0) {
        error = "the header announces no tracks";
        return false;
    }
    if (division & 0x8000u) {
        const int frames = 256 - static_cast<int>(division >> 8);
        const int ticksPerFrame = static_cast<int>(division & 0xFFu);
        if ((frames != 24 && frames != 25 && frames != 29 && frames != 30) || ticksPerFrame == 0) {
            error = "an SMPTE time division of " + std::to_string(frames) + " frames and " +
                    std::to_string(ticksPerFrame) + " ticks per frame";
            return false;
        }
        content.ticksPerQuarter = 0;
        content.secondsPerTick = 1.0 / ((frames == 29 ? 29.97 : frames) * ticksPerFrame);
    } else if (division == 0) {
        error = "zero ticks per quarter note";
        return false;
    } else {
        content.ticksPerQuarter = static_cast<int>(division);
    }
    return true;
}

}  // namespace

bool readSmfEvents(const unsigned char* bytes, std::size_t size, SmfContent& content, std::string& error) {
    content = SmfContent{};
    Cursor file{bytes, bytes + size};
    int tracks = 0;
    if (!readHeader(file, content, tracks, error)) return false;
    int found = 0;
    while (found < tracks && file.left() >= 8) {
        const std::uint32_t length = bigEndian(file.at + 4, 4);
        const bool isTrack = std::memcmp(file.at, "MTrk", 4) == 0;
        file.at += 8;
        if (length > file.left()) {
            error = (isTrack ? "track " + std::to_string(found + 1) : std::string("a chunk")) + " is " +
                    std::to_string(length) + " bytes long, but the file ends after " + std::to_string(file.left());
            return false;
        }
        Cursor chunk{file.at, file.at + length};
        file.at += length;
        if (!isTrack) continue;  // chunks of unknown kinds are skipped, as the format asks
        TrackReader reader{content, error, ++found, chunk};
        if (!reader.read()) return false;
    }
    if (found < tracks) {
        error = "the header announces " + std::to_string(tracks) + " tracks, but the file ends after " +
                std::to_string(found);
        return false;
    }
    return true;
}
