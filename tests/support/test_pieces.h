// Test pieces: chord progressions played in accompaniment textures (block
// chords, arpeggios, Alberti bass, strumming, walking bass with comping, a
// band with drums, bass, pad and melody), written as MIDI files with the
// chords they are made of as a reference lab (start, end, Harte label).
#pragma once

#include <string>
#include <vector>

enum class Texture { Block, Arpeggio, Alberti, Strumming, WalkingBass, Band };

struct ChordStep {
    int root;             // pitch class
    const char* quality;  // Harte: "maj", "min", "7", "min7", "maj7"
    int beats;
};

struct PieceSpec {
    std::string name;
    std::vector<ChordStep> chords;
    Texture texture;
    double quartersPerMinute;
    int beatsPerBar;  // quarter-note beats
    int keySharps;    // the key signature; < 0 flats
};

struct TestPiece {
    std::string name;
    std::string midi;  // the file's bytes
    std::string lab;   // the reference: "0.000\t2.000\tC:maj\n" ...
};

TestPiece writePiece(const PieceSpec& spec);

// I-vi-IV-V in C (two rounds, a bar each) in the given texture.
PieceSpec popProgression(Texture texture);

// Every progression in every texture: the accuracy set.
std::vector<PieceSpec> accuracySpecs();
