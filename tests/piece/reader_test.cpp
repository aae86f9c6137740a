// The MIDI file reader on hand-written bytes: what each kind of file reads
// as (its chords, in Harte labels with their times), and the one error line
// each kind of bad file gets.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "analysis/harte.h"
#include "piece/piece_file.h"
#include "tests/support/midi_writer.h"

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string text;
    for (int value : values) text += static_cast<char>(value);
    return text;
}

std::string header(int format, int tracks, int division) {
    return "MThd" + bigEndian(6, 4) + bigEndian(format, 2) + bigEndian(tracks, 2) + bigEndian(division, 2);
}

std::string track(const std::string& body) {
    return "MTrk" + bigEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

const std::string EndOfTrack = bytes({0x00, 0xFF, 0x2F, 0x00});

// C E G from 0 for `ticks`, written out in full: note-on, then note-off.
std::string triad(int ticks, int channel = 0) {
    const int on = 0x90 | channel, off = 0x80 | channel;
    return bytes({0x00, on, 60, 90, 0x00, on, 64, 90, 0x00, on, 67, 90}) + quantity(ticks) +
           bytes({off, 60, 0, 0x00, off, 64, 0, 0x00, off, 67, 0});
}

std::string oneTrack(const std::string& body, int division = 480) {
    return header(0, 1, division) + track(body + EndOfTrack);
}

// "start end label" per segment; the title and bar lines after a bar.
std::string summary(const Piece& piece) {
    std::string text;
    char line[96];
    for (const PieceSegment& segment : piece.segments) {
        std::snprintf(line, sizeof line, "%.3f %.3f %s %d.%d; ", segment.start, segment.end,
                      harteLabel(segment.name).text, segment.bar, segment.beat);
        text += line;
    }
    text += "| " + piece.title + " |";
    for (double bar : piece.barStarts) {
        std::snprintf(line, sizeof line, " %.3f", bar);
        text += line;
    }
    if (!piece.barStarts.empty()) text += " |";
    return text + " " + std::to_string(piece.messages.size()) + " messages";
}

struct ReaderCase {
    const char* what;
    std::string file;
    std::string expected;  // the summary, or the error
};

std::string emptyTracks(int count) {
    std::string file = header(1, count, 480);
    for (int i = 0; i < count; ++i) file += track("");
    return file;
}

const std::string Tempo60 = bytes({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40});
const std::string Named = bytes({0x00, 0xFF, 0x03, 0x04}) + "Song";

TEST(Reader, readsEveryKindOfFileOrSaysWhatIsWrong) {
    const ReaderCase cases[] = {
        {"format 0 at the default tempo", oneTrack(triad(1920)), "0.000 2.000 C:maj 0.0; | song.mid | 6 messages"},
        {"running status and note-on velocity 0 as note-off",
         oneTrack(bytes({0x00, 0x90, 60, 90, 0x00, 64, 90, 0x00, 67, 90, 0x8F, 0x00, 60, 0, 0x00, 64, 0, 0x00, 67, 0})),
         "0.000 2.000 C:maj 0.0; | song.mid | 6 messages"},
        {"SMPTE time: 25 frames of 40 ticks", oneTrack(triad(2000), 0xE728),
         "0.000 2.000 C:maj 0.0; | song.mid | 6 messages"},
        {"the tempo in the second track of format 1",
         header(1, 2, 480) + track(triad(960) + EndOfTrack) + track(Tempo60 + EndOfTrack),
         "0.000 2.000 C:maj 0.0; | song.mid | 6 messages"},
        {"a track name is the title", oneTrack(Named + triad(960)), "0.000 1.000 C:maj 0.0; | Song | 6 messages"},
        {"notes left sounding end with the file",
         oneTrack(bytes({0x00, 0x90, 60, 90, 0x00, 64, 90, 0x00, 67, 90, 0x8F, 0x00, 0xFF, 0x01, 0x00})),
         "0.000 2.000 C:maj 0.0; | song.mid | 3 messages"},
        {"the same key struck again while it sounds",
         oneTrack(bytes({0x00, 0x90, 60, 90, 0x00, 64, 90, 0x00, 67, 90, 0x83, 0x60, 60, 90, 0x83, 0x60, 0x80, 60, 0,
                         0x83, 0x60, 60, 0, 0x00, 64, 0, 0x00, 67, 0})),
         "0.000 1.500 C:maj 0.0; | song.mid | 8 messages"},
        {"the sustain pedal holds released notes",
         oneTrack(bytes({0x00, 0xB0, 64, 127}) + triad(240) + bytes({0x8D, 0x10, 0xB0, 64, 0})),
         "0.000 2.000 C:maj 0.0; | song.mid | 8 messages"},
        {"drums alone are no chord", oneTrack(triad(960, 9)), "0.000 1.000 N 0.0; | song.mid | 6 messages"},
        {"a key signature in E flat spells flats",
         oneTrack(bytes({0x00, 0xFF, 0x59, 0x02, 0xFD, 0x00, 0x00, 0x90, 63, 90, 0x00, 67, 90, 0x00, 70, 90, 0x87, 0x40,
                         63, 0, 0x00, 67, 0, 0x00, 70, 0})),
         "0.000 1.000 Eb:maj 0.0; | song.mid | 6 messages"},
        {"a time signature of 3/4 makes bars of three beats",
         oneTrack(bytes({0x00, 0xFF, 0x58, 0x04, 3, 2, 24, 8}) + triad(2880)),
         "0.000 3.000 C:maj 1.1; | song.mid | 0.000 1.500 | 6 messages"},
        {"SysEx, unknown metas and unknown chunks are skipped",
         header(0, 1, 480) + "XTRA" + bigEndian(3, 4) + "abc" +
             track(bytes({0x00, 0xF0, 0x03, 0x7E, 0x09, 0xF7, 0x00, 0xFF, 0x7F, 0x02, 0x01, 0x02}) + triad(960) +
                   EndOfTrack),
         "0.000 1.000 C:maj 0.0; | song.mid | 6 messages"},
        {"a text file", "hello, world\n", "not a MIDI file: it does not start with a MThd header chunk"},
        {"a header chunk of 3 bytes", "MThd" + bigEndian(3, 4) + "abc",
         "not a MIDI file: the header chunk is 3 bytes long"},
        {"a truncated header", "MThd" + bigEndian(6, 4) + "ab",
         "the header chunk is 6 bytes long, but the file ends after 2"},
        {"format 2", header(2, 1, 480) + track(triad(960) + EndOfTrack),
         "a format 2 MIDI file (a sequence of independent patterns): only formats 0 and 1 are read"},
        {"zero ticks per quarter", oneTrack(triad(960), 0), "zero ticks per quarter note"},
        {"a track past the end of the file", header(0, 1, 480) + "MTrk" + bigEndian(100, 4) + "abcd",
         "track 1 is 100 bytes long, but the file ends after 4"},
        {"fewer tracks than announced", header(1, 2, 480) + track(triad(960) + EndOfTrack),
         "the header announces 2 tracks, but the file ends after 1"},
        {"a tempo of 0", oneTrack(bytes({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}) + triad(960)),
         "track 1: a tempo of 0 microseconds per quarter note"},
        {"running status before any status", oneTrack(bytes({0x00, 60, 90}) + triad(960)),
         "track 1: running status before any status byte"},
        {"an unterminated SysEx", header(0, 1, 480) + track(bytes({0x00, 0xF0, 0x40, 0x7E, 0x09})),
         "track 1: a SysEx message runs past the end of the track"},
        {"a meta event past its track", header(0, 1, 480) + track(bytes({0x00, 0xFF, 0x03, 0x10, 'a'})),
         "track 1: a meta event runs past the end of the track"},
        {"a delta time of five bytes", oneTrack(bytes({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 90})),
         "track 1: a delta time is cut off or longer than 4 bytes"},
        {"a channel message cut off", header(0, 1, 480) + track(bytes({0x00, 0x90, 60})),
         "track 1: the track ends inside a channel message"},
        {"a status byte that no file holds", oneTrack(bytes({0x00, 0xF4}) + triad(960)),
         "track 1: status byte 0xF4 has no place in a file"},
        {"65,535 empty tracks", emptyTracks(65535), "the file holds no notes"},
        {"notes that never last", oneTrack(bytes({0x00, 0x90, 60, 90, 0x00, 64, 90})), "the file holds no notes"},
        {"a piece of days", oneTrack(bytes({0x00, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF, 0x00, 0x90, 60, 90, 0x8F, 0xFF,
                                            0xFF, 0x7F, 60, 0})),
         "the piece lasts 326 hours; pieces of up to 4 hours are read"},
    };
    for (const ReaderCase& test : cases) {
        Piece piece;
        std::string error;
        const bool read = readMidiPiece(reinterpret_cast<const unsigned char*>(test.file.data()), test.file.size(),
                                        "songs/song.mid", piece, error);
        EXPECT_EQ(read ? summary(piece) : error, test.expected) << test.what;
        if (!read) {
            EXPECT_TRUE(piece.segments.empty() && piece.messages.empty()) << test.what;
        }
    }
}

}  // namespace
