// The benchmarks' driver for recordings: reads each file named and writes its
// chords as a MIREX .lab (start, end, Harte label) to FILE.lab beside it, or
// to standard output when only one file is named.
#include <cstdio>
#include <string>

#include "analysis/harte.h"
#include "audio/recording_file.h"

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
            std::fprintf(out, "%.3f\t%.3f\t%s\n", segment.start, segment.end, harteLabel(segment.name).text);
        if (out != stdout) std::fclose(out);
    }
    return 0;
}
