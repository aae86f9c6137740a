// The reports of tonvisor-cli --chords (chords.h).
//   text: "  12.500   14.000   7.2  Am7     A Minor 7th"  (bar.beat where the file has bars)
//   lab:  "12.500<TAB>14.000<TAB>A:min7"
//   json: {"file", "title", "duration", "segments": [{"start", "end", "bar", "beat",
//          "symbol", "harte", "name", "pitches": [{"note", "weight"}], "bass", "scores"}]}
//         and for a recording also "columns": [{"start", "end", "pitches", "bass", "scores"}],
//         the chord spectrogram's columns
#include "cli/chords.h"

#include <cstdio>

#include "analysis/harte.h"
#include "cli/json.h"
#include "cli/report.h"
#include "piece/lab.h"

namespace {

constexpr std::size_t LineBound = 256;
constexpr std::size_t SegmentJsonBound = 1024 + JsonScoresBound + JsonNameBound;

char* put(char* at, std::string_view text) {
    for (char c : text) *at++ = c;
    return at;
}

// The note model's pitch classes are spelled as its flats ask.
std::string_view spelledPitch(int pitch, bool flats) {
    static const char* const Sharps[PitchClassCount] = {"C",  "C#", "D",  "D#", "E",  "F",
                                                        "F#", "G",  "G#", "A",  "A#", "B"};
    static const char* const Flats[PitchClassCount] = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                       "Gb", "G",  "Ab", "A",  "Bb", "B"};
    return (flats ? Flats : Sharps)[pitch];
}

char* writeTextLine(char* at, const PieceSegment& segment) {
    at += std::snprintf(at, 48, "%8.3f %8.3f", segment.start, segment.end);
    if (segment.bar > 0) at += std::snprintf(at, 32, " %5d.%d", segment.bar, segment.beat);
    if (!segment.name.named) return put(at, "  N        no chord\n");
    at += std::snprintf(at, LineBound - 80, "  %-8s %s\n", segment.name.symbol, segment.name.longName);
    return at;
}

char* writePitches(char* at, const PitchSet& pitches) {
    at = put(at, "[");
    for (int place = 0; place < pitches.count; ++place) {
        const int pitch = pitches.notes[place];
        at = writeJsonString(put(at, place ? ", {\"note\": " : "{\"note\": "), spelledPitch(pitch, pitches.flats));
        at += std::snprintf(at, 40, ", \"weight\": %.6g}", static_cast<double>(pitches.weight[pitch]));
    }
    return put(at, "]");
}

char* writeBass(char* at, const PitchSet& pitches) {
    at = put(at, ", \"bass\": ");
    return pitches.count ? writeJsonString(at, spelledPitch(pitches.bass, pitches.flats)) : put(at, "null");
}

char* writeJsonSegment(char* at, const PieceSegment& segment, const float* scores) {
    at += std::snprintf(at, 128, "{\"start\": %.6f, \"end\": %.6f, \"bar\": %d, \"beat\": %d, \"symbol\": ",
                        segment.start, segment.end, segment.bar, segment.beat);
    at = writeJsonString(at, segment.name.named ? segment.name.symbol : "N");
    at = writeJsonString(put(at, ", \"harte\": "), harteLabel(segment.name).text);
    at = writeJsonName(put(at, ", \"name\": "), segment.name);
    at = writeBass(writePitches(put(at, ", \"pitches\": "), segment.pitches), segment.pitches);
    return put(writeJsonScores(put(at, ", \"scores\": "), scores), "}");
}

// A recording's columns: what was heard every 93 ms and its scores.
void writeJsonColumns(const Piece& piece, ReportBuffer& out) {
    out.commit(put(out.reserve(16), "], \"columns\": ["));
    for (std::size_t i = 0; i < piece.columns.size(); ++i) {
        const PieceColumn& column = piece.columns[i];
        char* at = put(out.reserve(SegmentJsonBound), i ? ", " : "");
        at += std::snprintf(at, 64, "{\"start\": %.6f, \"end\": %.6f, \"pitches\": ", column.start, column.end);
        at = writeBass(writePitches(at, column.pitches), column.pitches);
        out.commit(put(writeJsonScores(put(at, ", \"scores\": "), column.scores), "}"));
    }
}

void writeJson(const Piece& piece, ReportBuffer& out) {
    char* at = out.reserve(jsonStringBound(piece.path.size()) + jsonStringBound(piece.title.size()) + 128);
    at = writeJsonString(put(at, "{\"file\": "), piece.path);
    at = writeJsonString(put(at, ", \"title\": "), piece.title);
    at += std::snprintf(at, 64, ", \"duration\": %.6f, \"segments\": [", piece.duration);
    out.commit(at);
    for (std::size_t i = 0; i < piece.segments.size(); ++i) {
        const PieceSegment& segment = piece.segments[i];
        float scores[ScoreCount];
        scoreChords(segment.pitches, scores);
        at = out.reserve(SegmentJsonBound);
        out.commit(writeJsonSegment(put(at, i ? ", " : ""), segment, scores));
    }
    if (piece.kind == PieceKind::Recording) writeJsonColumns(piece, out);
    out.commit(put(out.reserve(4), "]}\n"));
}

}  // namespace

void writeChordsReport(const Piece& piece, ChordsFormat format, ReportBuffer& out) {
    if (format == ChordsFormat::Json) {
        writeJson(piece, out);
        return;
    }
    for (const PieceSegment& segment : piece.segments) {
        char* at = out.reserve(LineBound);
        out.commit(format == ChordsFormat::Lab ? writeLabLine(at, segment) : writeTextLine(at, segment));
    }
}
