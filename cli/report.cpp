// tonvisor-cli's reports of one analysed entry: the chords that score, best first,
// as aligned text, or everything as one line of JSON.
//
// The reports are written straight into a buffer, with every number's text
// made once (cli/number_texts.h) and the scores' whole text kept per note set
// (cli/score_blocks.h): a batch of 100,000 entries is dominated by writing,
// so most pieces are copies of a known length.
#include "cli/report.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>

#include "analysis/harte.h"
#include "cli/json.h"
#include "cli/number_texts.h"
#include "cli/score_blocks.h"

namespace {

constexpr int CellCount = ChordTypeCount * RootCount;

char* put(char* at, std::string_view text) {
    std::copy(text.begin(), text.end(), at);
    return at + text.size();
}

// The score is 2 * ratio^2, so the ratio comes back exactly enough to round.
int matchPercent(float score) {
    return static_cast<int>(std::lround(std::sqrt(score / 2.0) * 100.0));
}

int formatScoreColumns(float score, char* text, std::size_t capacity) {
    return std::snprintf(text, capacity, "  %6.4f  %3d%%\n", static_cast<double>(score), matchPercent(score));
}

// Each number with the separator before it; the first of a row skips that.
constexpr std::size_t SeparatorLength = 2;
int formatJsonNumber(float value, char* text, std::size_t capacity) {
    return std::snprintf(text, capacity, ", %.9g", static_cast<double>(value));
}

NumberTexts ScoreColumns(formatScoreColumns);
NumberTexts JsonNumbers(formatJsonNumber);

// A chord line is its root and name columns, by by-key position, and its
// score columns, by score.
constexpr std::size_t HeadCapacity = 24;
struct LineHeads {
    char text[CellCount][HeadCapacity];
    int length[CellCount];
};

constexpr int byKeyPosition(int root, int type) { return root * ChordTypeCount + type; }

const LineHeads& lineHeads() {
    static const LineHeads heads = [] {
        LineHeads built{};
        for (int root = 0; root < RootCount; ++root)
            for (int type = 0; type < ChordTypeCount; ++type) {
                int position = byKeyPosition(root, type);
                const std::string_view rootText = rootName(root);
                built.length[position] =
                    std::snprintf(built.text[position], HeadCapacity, "%-2.*s  %-15s", static_cast<int>(rootText.size()),
                                  rootText.data(), ChordTypeNames[type].shortName);
            }
        return built;
    }();
    return heads;
}

// Moves the `shown` greatest keys to the front, greatest first: insertion
// into the few kept, cheap when few are asked for.
void keepGreatest(std::uint64_t* keys, int count, int shown) {
    std::sort(keys, keys + shown, std::greater<>());
    for (int i = shown; i < count; ++i) {
        std::uint64_t key = keys[i];
        if (key <= keys[shown - 1]) continue;
        int place = shown - 1;
        for (; place > 0 && keys[place - 1] < key; --place) keys[place] = keys[place - 1];
        keys[place] = key;
    }
}

// Ranking keys: a score's bits (scores are never negative, and such floats
// order as their bits do) over the cell's by-key position counted down, so
// that equal scores keep by-key order. Cells are in MatchMatrix order.
constexpr int PositionBits = 8;
constexpr std::uint64_t LastPosition = (1u << PositionBits) - 1;

struct PositionsCountedDown {
    std::uint64_t ofCell[CellCount];
};

constexpr PositionsCountedDown buildPositions() {
    PositionsCountedDown positions{};
    for (int type = 0; type < ChordTypeCount; ++type)
        for (int root = 0; root < RootCount; ++root)
            positions.ofCell[matchCell(type, root)] = LastPosition - static_cast<std::uint64_t>(byKeyPosition(root, type));
    return positions;
}

constexpr PositionsCountedDown CountedDown = buildPositions();

// The by-key positions of the chords scoring above zero, best first; `top`
// of them at most.
int rankChords(const EntryResult& result, int top, int* positions) {
    std::uint64_t keys[CellCount];
    int scoring = 0;
    for (int cell = 0; cell < CellCount; ++cell) {
        float score = result.scores[cell];
        keys[cell] = std::uint64_t{std::bit_cast<std::uint32_t>(score)} << PositionBits | CountedDown.ofCell[cell];
        scoring += score > 0.0f;
    }
    int shown = top >= 0 && top < scoring ? top : scoring;
    if (shown == scoring) std::sort(keys, keys + CellCount, std::greater<>());
    else if (shown > 0) keepGreatest(keys, CellCount, shown);
    for (int i = 0; i < shown; ++i) positions[i] = static_cast<int>(LastPosition - (keys[i] & LastPosition));
    return shown;
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

char* writeChordLine(char* at, const EntryResult& result, bool harte) {
    if (!result.name.named) return at;
    at = put(at, "Chord: ");
    at = put(at, result.name.symbol);
    at = put(at, " (");
    at = put(at, result.name.longName);
    at = put(at, ")");
    if (harte) at = put(put(at, " "), harteLabel(result.name).text);
    return put(at, "\n");
}

char* writeScoreRow(char* at, const float* scores) {
    *at++ = '[';
    at = writeNumberText(at, JsonNumbers.of(scores[0]), SeparatorLength);
#pragma GCC unroll 11
    for (int root = 1; root < RootCount; ++root) at = writeNumberText(at, JsonNumbers.of(scores[root]));
    *at++ = ']';
    return at;
}

char* writeScoreRows(char* at, const float* scores) {
    *at++ = '[';
    at = writeScoreRow(at, scores);
    for (int type = 1; type < ChordTypeCount; ++type) at = writeScoreRow(put(at, ", "), scores + matchCell(type, 0));
    *at++ = ']';
    return at;
}

// Writes the text with `write`, or copies it when the same scores were
// written the same way before.
template <typename Write>
char* writeKept(char* at, ScoreBlocks& kept, const EntryResult& result, int variant, Write write) {
    unsigned noteSet = noteSetOf(result.notes);
    if (const std::string* text = kept.find(noteSet, result.scores, variant)) return put(at, *text);
    char* end = write(at);
    kept.keep(noteSet, result.scores, variant, std::string_view(at, static_cast<std::size_t>(end - at)));
    return end;
}

ScoreBlocks JsonScoreRows;
ScoreBlocks TextChordLines;

// The match ratio in the shortest text that reads back to the same float,
// with ".0" on a whole number so that it reads as one (a ratio is 1 or a
// fifth at least, so no exponent comes up).
int formatRatio(float ratio, char* text, std::size_t capacity) {
    constexpr std::string_view PointZero = ".0";
    char* end = std::to_chars(text, text + capacity - PointZero.size() - 1, ratio).ptr;
    if (std::find(text, end, '.') == end) end = std::copy(PointZero.begin(), PointZero.end(), end);
    *end = '\0';
    return static_cast<int>(end - text);
}

NumberTexts RatioTexts(formatRatio);

char* writeRatio(char* at, const ChordName& name) {
    float ratio = static_cast<float>(name.matches) / static_cast<float>(name.divisor);
    return writeNumberText(at, RatioTexts.of(ratio));
}

char* writeName(char* at, const ChordName& name) {
    if (!name.named) return put(at, "null");
    at = writeJsonString(put(at, "{\"symbol\": "), name.symbol);
    at = writeJsonString(put(at, ", \"root\": "), name.rootName);
    at = writeJsonString(put(at, ", \"type\": "), ChordVocabulary[name.chord].longName);
    at = writeJsonString(put(at, ", \"bass\": "), name.bassName);
    at = put(at, name.exact ? ", \"exact\": true" : ", \"exact\": false");
    at = put(at, name.fifthOmitted ? ", \"omitted\": [\"5\"]" : ", \"omitted\": []");
    at = writeRatio(put(at, ", \"ratio\": "), name);
    return put(writeJsonString(put(at, ", \"harte\": "), harteLabel(name).text), "}");
}

// Room for everything but the entry and the echo, whose size varies.
constexpr std::size_t NameBound = 512;
constexpr std::size_t JsonFixedBound =
    256 + MaxEnteredNotes * 4 + ChordTypeCount * (4 + RootCount * (2 + NumberTextCapacity)) + NameBound;
constexpr std::size_t TextLineBound = HeadCapacity + NumberTextCapacity;

char* writeChordLines(char* at, const EntryResult& result, int top) {
    int positions[CellCount];
    int shown = rankChords(result, top, positions);
    const LineHeads& heads = lineHeads();
    for (int i = 0; i < shown; ++i) {
        int position = positions[i];
        int root = position / ChordTypeCount, type = position % ChordTypeCount;
        at = put(at, std::string_view(heads.text[position], static_cast<std::size_t>(heads.length[position])));
        at = writeNumberText(at, ScoreColumns.of(result.scores[matchCell(type, root)]));
    }
    return at;
}

}  // namespace

void analysePitches(const PitchSet& set, EntryResult& result) {
    result.echo = runAnalysis(set);
    result.notes.assign(set.notes, set.notes + set.count);
    std::sort(result.notes.begin(), result.notes.end());
    std::copy(std::begin(MatchMatrix), std::end(MatchMatrix), result.scores);
    result.name = nameChord(set);
}

// The parser reads a C string, where a NUL would end the entry: it is handed
// over as another byte that is no note, which is skipped as any is.
constexpr char NulStandIn = '\x01';

void analyseEntry(std::string_view entry, EntryResult& result) {
    result.entry.assign(entry);
    std::string parsed(entry);
    std::replace(parsed.begin(), parsed.end(), '\0', NulStandIn);
    analysePitches(pitchSetOf(parseEntry(parsed.c_str()), NoNote), result);
}

EntryResult analyseEntry(const std::string& entry) {
    EntryResult result;
    analyseEntry(std::string_view(entry), result);
    return result;
}

void writeTextReport(const EntryResult& result, int top, bool harte, ReportBuffer& out) {
    std::string_view echo = trimBlanks(result.echo);
    char* at = out.reserve(echo.size() + NameBound + CellCount * TextLineBound);
    at = put(put(at, "Recognised notes: "), echo);
    *at++ = '\n';
    at = writeChordLine(at, result, harte);
    at = writeKept(at, TextChordLines, result, top, [&](char* lines) { return writeChordLines(lines, result, top); });
    out.commit(at);
}

void writeLineReport(const EntryResult& result, int best, ReportBuffer& out) {
    std::string_view echo = trimBlanks(result.echo);
    char* at = out.reserve(echo.size() + NameBound + static_cast<std::size_t>(best) * TextLineBound);
    at = put(put(at, echo), " | ");
    if (!result.name.named) at = put(at, "-");
    else at = put(put(put(put(at, result.name.symbol), " ("), result.name.longName), ")");
    at = put(at, " |");
    int positions[CellCount];
    const int shown = rankChords(result, best, positions);
    for (int i = 0; i < shown; ++i) {
        const int root = positions[i] / ChordTypeCount, type = positions[i] % ChordTypeCount;
        const std::string_view rootText = rootName(root);
        at = put(put(put(put(at, i == 0 ? " " : ", "), rootText), " "), ChordTypeNames[type].shortName);
        at += std::snprintf(at, 8, " %d%%", matchPercent(result.scores[matchCell(type, root)]));
    }
    *at++ = '\n';
    out.commit(at);
}

std::string textReport(const EntryResult& result, int top, bool harte) {
    ReportBuffer out;
    writeTextReport(result, top, harte, out);
    return std::string(out.text());
}

void writeJsonReport(const EntryResult& result, ReportBuffer& out) {
    char* at = out.reserve(jsonStringBound(result.entry.size()) + jsonStringBound(result.echo.size()) + JsonFixedBound);
    at = writeJsonString(put(at, "{\"entry\": "), result.entry);
    at = writeJsonString(put(at, ", \"echo\": "), result.echo);
    at = put(at, ", \"notes\": [");
    for (std::size_t i = 0; i < result.notes.size(); ++i) {
        if (i > 0) at = put(at, ", ");
        at = std::to_chars(at, at + 4, result.notes[i]).ptr;
    }
    at = writeKept(put(at, "], \"scores\": "), JsonScoreRows, result, 0,
                   [&](char* rows) { return writeScoreRows(rows, result.scores); });
    at = writeName(put(at, ", \"name\": "), result.name);
    out.commit(put(at, "}\n"));
}

std::string jsonReport(const EntryResult& result) {
    ReportBuffer out;
    writeJsonReport(result, out);
    return std::string(out.text());
}

char* writeJsonScores(char* at, const float* scores) { return writeScoreRows(at, scores); }

char* writeJsonName(char* at, const ChordName& name) { return writeName(at, name); }
