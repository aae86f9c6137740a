// The test pieces (test_pieces.h). Every texture is played from the chord's
// tones; melodies and walking basses add passing and neighbour notes, drums
// play on channel 10, and nothing is random from one run to the next.
#include "tests/support/test_pieces.h"

#include <cstdio>
#include <cstring>

#include "tests/support/midi_writer.h"

namespace {

constexpr int Beat = 480;  // ticks per quarter note
constexpr int BassChannel = 1, PadChannel = 2, MelodyChannel = 3, DrumChannel = 9;

std::vector<int> intervalsOf(const char* quality) {
    if (!std::strcmp(quality, "min")) return {0, 3, 7};
    if (!std::strcmp(quality, "7")) return {0, 4, 7, 10};
    if (!std::strcmp(quality, "min7")) return {0, 3, 7, 10};
    if (!std::strcmp(quality, "maj7")) return {0, 4, 7, 11};
    return {0, 4, 7};
}

// The chord's tones upwards from the first key at or above `lowest`.
std::vector<int> voicing(const ChordStep& chord, int lowest) {
    std::vector<int> keys;
    for (int interval : intervalsOf(chord.quality)) {
        int key = lowest + ((chord.root + interval - lowest) % 12 + 12) % 12;
        keys.push_back(key);
    }
    std::vector<int> sorted = keys;
    for (std::size_t i = 1; i < sorted.size(); ++i)
        for (std::size_t j = i; j > 0 && sorted[j] < sorted[j - 1]; --j) std::swap(sorted[j], sorted[j - 1]);
    return sorted;
}

int bassKey(const ChordStep& chord) { return 36 + chord.root; }

// A key of the scale of C major (or of the key signature) a step above or below.
int stepFrom(int key, int direction, int keySharps) {
    static const bool InMajorScale[12] = {1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1};
    const int tonic = ((keySharps * 7) % 12 + 12) % 12;
    do key += direction;
    while (!InMajorScale[((key - tonic) % 12 + 12) % 12]);
    return key;
}

struct Writer {
    const PieceSpec& spec;
    std::vector<WrittenTrack> tracks = std::vector<WrittenTrack>(5);  // conductor, comping, bass, melody, drums

    void block(const ChordStep& chord, std::uint32_t at, std::uint32_t length) {
        for (int key : voicing(chord, 55)) tracks[1].note(at, length, key, 80);
        tracks[2].note(at, length, bassKey(chord), 90, BassChannel);
    }
    void arpeggio(const ChordStep& chord, std::uint32_t at, std::uint32_t length) {
        std::vector<int> keys = voicing(chord, 55);
        keys.push_back(keys[0] + 12);
        const int steps = static_cast<int>(length / (Beat / 2));
        for (int i = 0; i < steps; ++i) {
            const int place = i % (2 * static_cast<int>(keys.size()) - 2);
            const int index = place < static_cast<int>(keys.size()) ? place : 2 * static_cast<int>(keys.size()) - 2 - place;
            tracks[1].note(at + i * Beat / 2, Beat / 2, keys[index], 75);
        }
        tracks[2].note(at, length / 2, bassKey(chord) + 12, 85, BassChannel);
    }
    // Lowest, highest, middle, highest; a seventh chord broken as 1 5 3 7.
    void alberti(const ChordStep& chord, std::uint32_t at, std::uint32_t length) {
        std::vector<int> keys;
        for (int interval : intervalsOf(chord.quality)) keys.push_back(48 + chord.root + interval);
        const int pattern[4] = {keys[0], keys[2], keys[1], keys.size() > 3 ? keys[3] : keys[2]};
        for (std::uint32_t t = 0, i = 0; t < length; t += Beat / 2, ++i) tracks[1].note(at + t, Beat / 2, pattern[i % 4], 70);
        melody(chord, at, length);
    }
    void strumming(const ChordStep& chord, std::uint32_t at, std::uint32_t length) {
        std::vector<int> keys = voicing(chord, 52);
        keys.push_back(keys[0] + 12);
        keys.push_back(keys[1] + 12);
        const std::uint32_t strokes[] = {0, Beat + Beat / 2, 2 * Beat, 3 * Beat + Beat / 2};
        for (std::uint32_t bar = 0; bar < length; bar += 4 * Beat)
            for (std::uint32_t stroke : strokes) {
                if (bar + stroke >= length) break;
                for (std::size_t string = 0; string < keys.size(); ++string)
                    tracks[1].note(at + bar + stroke + 12 * static_cast<std::uint32_t>(string), Beat * 2 / 3, keys[string], 85);
            }
        for (std::uint32_t t = 0; t < length; t += 2 * Beat) tracks[2].note(at + t, Beat, bassKey(chord), 90, BassChannel);
    }
    // Chord tones on the beat, a chromatic approach to the next root on the last beat.
    void walkingBass(const ChordStep& chord, const ChordStep& next, std::uint32_t at, std::uint32_t length) {
        std::vector<int> tones = intervalsOf(chord.quality);
        const int beats = static_cast<int>(length / Beat);
        for (int i = 0; i < beats; ++i) {
            int key = bassKey(chord) + tones[static_cast<std::size_t>(i) % tones.size()];
            if (i == beats - 1 && beats > 2) key = bassKey(next) + (next.root > chord.root ? -1 : 1);
            tracks[2].note(at + i * Beat, Beat - 20, key, 90, BassChannel);
        }
        for (int i = 1; i < beats; i += 2)
            for (int key : voicing(chord, 57)) tracks[1].note(at + i * Beat + Beat / 2, Beat / 2, key, 70);
        for (int key : voicing(chord, 57)) tracks[1].note(at, Beat, key, 75);
    }
    void band(const ChordStep& chord, std::uint32_t at, std::uint32_t length) {
        for (int key : voicing(chord, 55)) tracks[1].note(at, length, key, 55, PadChannel);
        for (std::uint32_t t = 0; t < length; t += Beat / 2)
            tracks[2].note(at + t, Beat / 2 - 30, bassKey(chord) + (t % (2 * Beat) == Beat ? 7 : 0), 95, BassChannel);
        for (std::uint32_t t = 0; t < length; t += Beat / 2) {
            tracks[4].note(at + t, 60, 42, 70, DrumChannel);
            if (t % (2 * Beat) == 0) tracks[4].note(at + t, 100, 36, 100, DrumChannel);
            if (t % (2 * Beat) == Beat) tracks[4].note(at + t, 100, 38, 100, DrumChannel);
        }
        melody(chord, at, length);
    }
    // A chord tone on every beat, a passing or neighbour note between some of them.
    unsigned seed = 7;
    void melody(const ChordStep& chord, std::uint32_t at, std::uint32_t length) {
        const std::vector<int> tones = voicing(chord, 67);
        for (std::uint32_t t = 0; t < length; t += Beat) {
            seed = seed * 1103515245u + 12345u;
            const int key = tones[(seed >> 16) % tones.size()];
            const bool passing = (seed >> 20) % 3 == 0;
            tracks[3].note(at + t, passing ? Beat / 2 : Beat, key, 85, MelodyChannel);
            if (passing) tracks[3].note(at + t + Beat / 2, Beat / 2, stepFrom(key, (seed >> 24) % 2 ? 1 : -1, spec.keySharps), 70, MelodyChannel);
        }
    }
    void chord(std::size_t index, std::uint32_t at) {
        const ChordStep& step = spec.chords[index];
        const ChordStep& next = spec.chords[(index + 1) % spec.chords.size()];
        const std::uint32_t length = static_cast<std::uint32_t>(step.beats) * Beat;
        switch (spec.texture) {
        case Texture::Block: block(step, at, length); break;
        case Texture::Arpeggio: arpeggio(step, at, length); break;
        case Texture::Alberti: alberti(step, at, length); break;
        case Texture::Strumming: strumming(step, at, length); break;
        case Texture::WalkingBass: walkingBass(step, next, at, length); break;
        case Texture::Band: band(step, at, length); break;
        }
    }
};

const char* const RootNames[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};

}  // namespace

TestPiece writePiece(const PieceSpec& spec) {
    Writer writer{spec};
    WrittenTrack& conductor = writer.tracks[0];
    conductor.name(spec.name);
    conductor.tempo(0, spec.quartersPerMinute);
    conductor.meter(0, spec.beatsPerBar, 4);
    conductor.key(0, spec.keySharps);
    writer.tracks[2].program(0, 33, BassChannel);
    writer.tracks[3].program(0, 73, MelodyChannel);
    TestPiece piece{spec.name, "", ""};
    std::uint32_t at = 0;
    const double secondsPerBeat = 60.0 / spec.quartersPerMinute;
    for (std::size_t i = 0; i < spec.chords.size(); ++i) {
        writer.chord(i, at);
        char line[64];
        const std::uint32_t end = at + static_cast<std::uint32_t>(spec.chords[i].beats) * Beat;
        std::snprintf(line, sizeof line, "%.3f\t%.3f\t%s:%s\n", at / double(Beat) * secondsPerBeat,
                      end / double(Beat) * secondsPerBeat, RootNames[spec.chords[i].root], spec.chords[i].quality);
        piece.lab += line;
        at = end;
    }
    std::vector<WrittenTrack> used;
    for (const WrittenTrack& track : writer.tracks)
        if (!track.events.empty()) used.push_back(track);
    piece.midi = smfBytes(used, Beat);
    return piece;
}

PieceSpec popProgression(Texture texture) {
    const std::vector<ChordStep> round = {{0, "maj", 4}, {9, "min", 4}, {5, "maj", 4}, {7, "maj", 4}};
    std::vector<ChordStep> chords = round;
    chords.insert(chords.end(), round.begin(), round.end());
    return {"I-vi-IV-V", chords, texture, 120, 4, 0};
}

std::vector<PieceSpec> accuracySpecs() {
    const std::vector<PieceSpec> progressions = {
        popProgression(Texture::Block),
        {"ii-V-I-vi in Bb", {{0, "min7", 4}, {5, "7", 4}, {10, "maj7", 4}, {7, "min7", 4},
                             {0, "min7", 4}, {5, "7", 4}, {10, "maj7", 8}}, Texture::Block, 132, 4, -2},
        {"blues in F", {{5, "7", 4}, {10, "7", 4}, {5, "7", 8}, {10, "7", 8}, {5, "7", 8},
                        {0, "7", 4}, {10, "7", 4}, {5, "7", 4}, {0, "7", 4}}, Texture::Block, 110, 4, -1},
        {"minor turnaround", {{9, "min", 4}, {5, "maj", 4}, {0, "maj", 4}, {7, "maj", 4},
                              {2, "min7", 2}, {7, "7", 2}, {0, "maj7", 2}, {9, "min7", 2},
                              {2, "min7", 2}, {7, "7", 2}, {0, "maj", 4}}, Texture::Block, 96, 4, 0},
        {"Eb ballad", {{3, "maj", 4}, {0, "min", 4}, {8, "maj", 4}, {10, "7", 4},
                       {3, "maj7", 4}, {8, "maj7", 4}, {5, "min7", 4}, {10, "7", 4}, {3, "maj", 4}}, Texture::Block, 76, 4, -3},
    };
    const Texture textures[] = {Texture::Block, Texture::Arpeggio, Texture::Alberti,
                                Texture::Strumming, Texture::WalkingBass, Texture::Band};
    const char* const textureNames[] = {"block chords", "arpeggios", "Alberti bass", "strumming", "walking bass", "band"};
    std::vector<PieceSpec> specs;
    for (const PieceSpec& progression : progressions)
        for (int t = 0; t < 6; ++t) {
            PieceSpec spec = progression;
            spec.texture = textures[t];
            spec.name = progression.name + ", " + textureNames[t];
            specs.push_back(spec);
        }
    return specs;
}
