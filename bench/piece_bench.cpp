// Reading and analysing a MIDI file: a 5-minute piece of 16 tracks (one of
// them drums) with 20,000 notes, and the same length with 5,000 to 40,000
// notes to show the cost and the memory growing with the notes (the heap
// bytes the piece keeps, by mallinfo2; bench/chords_cli.sh gives the peak). The baseline
// of the same run: the reader's first step alone, the file's bytes parsed
// into events. `piece_bench --write FILE [NOTES]` writes the piece instead,
// for the end-to-end figure (bench/chords_cli.sh).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <string>

#include "piece/piece_file.h"
#include "piece/smf_events.h"
#include "tests/support/midi_writer.h"

namespace {

constexpr int Beat = 480, Bars = 150, Tracks = 16;  // 150 bars of 4/4 at 120: five minutes

// Chord tones of I-vi-IV-V, a bar each, spread over the tracks' registers.
std::string benchPiece(int notes) {
    static const int Chords[4][3] = {{0, 4, 7}, {9, 12, 16}, {5, 9, 12}, {7, 11, 14}};
    std::vector<WrittenTrack> tracks(Tracks);
    tracks[0].tempo(0, 120);
    tracks[0].meter(0, 4, 4);
    const double step = static_cast<double>(Bars) * 4 * Beat * Tracks / notes;
    for (int i = 0; i < notes; ++i) {
        const int track = i % Tracks;
        const auto tick = static_cast<std::uint32_t>((i / Tracks) * step);
        const int* chord = Chords[tick / (4 * Beat) % 4];
        const int round = i / Tracks;
        const int key = track == 9 ? 36 + round % 8 : 36 + 6 * (track % 7) + chord[(round + track) % 3] % 12;
        tracks[track].note(tick, static_cast<std::uint32_t>(step * 1.5), key, 70 + track, track);
    }
    return smfBytes(tracks, Beat);
}

const unsigned char* bytesOf(const std::string& file) { return reinterpret_cast<const unsigned char*>(file.data()); }

void readAndAnalyse(benchmark::State& state) {
    const std::string file = benchPiece(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Piece piece;
        std::string error;
        const std::size_t before = mallinfo2().uordblks;
        if (!readMidiPiece(bytesOf(file), file.size(), "bench.mid", piece, error)) state.SkipWithError(error.c_str());
        const double kept = static_cast<double>(mallinfo2().uordblks - before);
        state.counters["kept_bytes_per_note"] = kept / static_cast<double>(state.range(0));
        state.counters["segments"] = static_cast<double>(piece.segments.size());
        benchmark::DoNotOptimize(piece);
    }
}
BENCHMARK(readAndAnalyse)->Arg(5000)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

void parseEventsOnly(benchmark::State& state) {
    const std::string file = benchPiece(static_cast<int>(state.range(0)));
    SmfContent content;
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(readSmfEvents(bytesOf(file), file.size(), content, error));
    }
}
BENCHMARK(parseEventsOnly)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--write") {
        std::ofstream(argv[2], std::ios::binary) << benchPiece(argc > 3 ? std::atoi(argv[3]) : 20000);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
