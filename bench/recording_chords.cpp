// The benchmarks' driver for recordings: reads each file named and writes its
// chords as a MIREX .lab (start, end, Harte label) to FILE.lab beside it, or
// to standard output when only one file is named. The label is written here from
// the chord's name until the shared Harte labels take over.
#include <cstdio>
#include <string>
#include <string_view>

#include "audio/recording_file.h"

namespace {

const char* harteQuality(std::string_view suffix) {
    constexpr std::pair<std::string_view, const char*> Qualities[] = {
        {"", "maj"}, {"m", "min"}, {"7", "7"}, {"m7", "min7"}, {"maj7", "maj7"}, {"dim", "dim"},
        {"m7b5", "hdim7"}, {"sus4", "sus4"}, {"aug", "aug"}, {"6", "maj6"}, {"m6", "min6"}, {"dim7", "dim7"},
        {"sus2", "sus2"}};
    for (auto [text, quality] : Qualities)
        if (text == suffix) return quality;
    return "maj";
}

std::string harte(const ChordName& name) {
    if (!name.named) return "N";
    constexpr const char* Degrees[12] = {"1", "b2", "2", "b3", "3", "4", "b5", "5", "b6", "6", "b7", "7"};
    std::string label = std::string(name.rootName) + ":" + harteQuality(ChordVocabulary[name.chord].suffix);
    if (name.bass != name.root) label += std::string("/") + Degrees[(name.bass - name.root + 12) % 12];
    return label;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        Piece piece{};
        std::string error;
        if (!readRecording(argv[i], piece, error)) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error.c_str());
            return 1;
        }
        std::FILE* out = argc == 2 ? stdout : std::fopen((std::string(argv[i]) + ".lab").c_str(), "w");
        for (const PieceSegment& segment : piece.segments)
            std::fprintf(out, "%.3f\t%.3f\t%s\n", segment.start, segment.end, harte(segment.name).c_str());
        if (out != stdout) std::fclose(out);
    }
    return 0;
}
