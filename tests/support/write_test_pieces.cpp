// Writes the accuracy set of test pieces into a folder: NN.mid with its
// reference NN.lab beside it, and names.txt with one piece's name per line.
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/test_pieces.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_test_pieces FOLDER\n");
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
