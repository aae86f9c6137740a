// Writes the accuracy set of test pieces into a folder: NN.mid with its
// reference NN.lab beside it, and names.txt with one piece's name per line.
// With --timing, the timing piece instead, its note-on times (seconds) printed
// one a line.
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/midi_writer.h"
#include "tests/support/test_pieces.h"

namespace {

// Claves (General MIDI's key 75 on the drum channel), each hit alone after a
// silence, at times on no grid of 10 or 16 ms: a timer's steps would show.
// The ticks at 120 beats a minute, 480 a quarter, are 1/960 s each.
int writeTimingPiece(const char* path) {
    const std::uint32_t ticks[] = {96, 435, 786, 1118, 1473, 1801, 2157, 2490};
    std::vector<WrittenTrack> tracks(1);
    tracks[0].tempo(0, 120);
    for (std::uint32_t tick : ticks) {
        tracks[0].note(tick, 24, 75, 110, 9);
        std::printf("%.6f\n", tick / 960.0);
    }
    std::ofstream(path, std::ios::binary) << smfBytes(tracks);
    return std::ifstream(path) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--timing") return writeTimingPiece(argv[2]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_test_pieces FOLDER | --timing FILE\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::ofstream names(folder + "/names.txt");
    int number = 0;
    for (const PieceSpec& spec : accuracySpecs()) {
        const TestPiece piece = writePiece(spec);
        char stem[16];
        std::snprintf(stem, sizeof stem, "/%02d", ++number);
        std::ofstream(folder + stem + ".mid", std::ios::binary) << piece.midi;
        std::ofstream(folder + stem + ".lab", std::ios::binary) << piece.lab;
        names << piece.name << '\n';
    }
    return names ? 0 : 1;
}
