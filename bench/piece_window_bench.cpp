// The piece window on the headless screen at 1920 x 1080 (the backing image and
// the Cairo drawing are the real screen's): its first frame after a file is
// chosen (read, analysed, the window made and drawn), one frame of scrolling
// and one of the playing cursor, each beside the main window's whole painting
// measured in the same run; and the playing's timing on the system's clock.
// The piece: 5 minutes, 16 tracks, 20,000 notes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "bench/headless_form.h"
#include "midi/sound.h"
#include "piecewindow/piece_window.h"
#include "piecewindow/playback.h"
#include "piecewindow/view.h"
#include "platform/headless/headless.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "tests/support/midi_writer.h"

namespace {

const char* const PiecePath = "piece_window_bench.mid";

// 16 tracks of chords changing every half bar at 120 beats a minute, each
// track's notes an eighth long: 20,000 notes in 300 s.
void writeLongPiece(double seconds, int notes) {
    std::vector<WrittenTrack> tracks(16);
    tracks[0].tempo(0, 120);
    tracks[0].meter(0, 4, 4);
    const int roots[] = {0, 9, 5, 7};
    const std::uint32_t eighth = 240, total = static_cast<std::uint32_t>(seconds * 2 * 480);
    const int perTrack = notes / 16;
    for (int t = 0; t < 16; ++t) {
        const int channel = t == 9 ? 10 : t;
        for (int i = 0; i < perTrack; ++i) {
            const std::uint32_t tick = static_cast<std::uint32_t>(static_cast<std::uint64_t>(i) * total / perTrack);
            const int root = roots[(tick / 960) % 4];
            const int tone = (t % 3 == 0 ? 0 : t % 3 == 1 ? 4 : 7) + (root == 9 && t % 3 == 1 ? -1 : 0);
            tracks[t].note(tick, eighth, 48 + 12 * (t % 3) + root + tone, 80, channel % 16);
        }
    }
    std::ofstream(PiecePath, std::ios::binary) << smfBytes(tracks);
}

void BM_MainWindowPainting(benchmark::State& state) {
    openForm();
    for (auto _ : state) paintform();
}
BENCHMARK(BM_MainWindowPainting)->Unit(benchmark::kMillisecond);

void BM_PieceFirstFrame(benchmark::State& state) {
    writeLongPiece(300, 20000);
    openForm();
    for (auto _ : state) {
        openPieceFile(PiecePath, Form1);
        headless::runUntilIdle();
    }
    state.counters["notes"] = 20000;
}
BENCHMARK(BM_PieceFirstFrame)->Unit(benchmark::kMillisecond);

// A frame of scrolling at four times the fitting zoom: the view moved, the
// bitmap blitted again with the strip, the bar numbers and the cursor.
void BM_PieceScrollFrame(benchmark::State& state) {
    writeLongPiece(300, 20000);
    openForm();
    openPieceFile(PiecePath, Form1);
    zoomAround(4.0, 0);
    redrawPieceWindow();
    int step = 8;
    for (auto _ : state) {
        if (PieceWindow.view.scrollX == 0 || xOfTime(PieceWindow.piece.duration) <= pieceLayout().spectrogram.right)
            step = -step;
        scrollBy(step);
        redrawPieceWindow();
    }
}
BENCHMARK(BM_PieceScrollFrame)->Unit(benchmark::kMillisecond);

// A frame of the playing cursor: a sixtieth of a second on, kept in view.
void BM_PieceCursorFrame(benchmark::State& state) {
    writeLongPiece(300, 20000);
    openForm();
    openPieceFile(PiecePath, Form1);
    zoomAround(4.0, 0);
    for (auto _ : state) {
        PieceWindow.cursorTime = std::fmod(PieceWindow.cursorTime + 1.0 / 60, PieceWindow.piece.duration);
        keepInView(PieceWindow.cursorTime);
        redrawPieceWindow();
    }
}
BENCHMARK(BM_PieceCursorFrame)->Unit(benchmark::kMillisecond);

// Ten seconds of a piece played on the system's clock into the headless
// synthesizer: how late each note-on went out after its time in the file.
void BM_PlaybackTiming(benchmark::State& state) {
    writeLongPiece(10, 640);
    for (auto _ : state) {
        openForm();
        headless::useRealClock();
        openSynthesizer(&Sound.synthesizer);
        openPieceFile(PiecePath, Form1);
        headless::recordMidiOut(true);
        startPlaying();
        MSG message;
        while (PieceWindow.playback.playing && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        std::vector<double> due;
        for (const TimedMessage& m : PieceWindow.piece.messages)
            if ((m.message & 0xF0) == 0x90 && (m.message >> 16)) due.push_back(m.time * 1000 + PieceWindow.playback.startTick);
        std::vector<double> late;
        for (const auto& [sent, bytes] : headless::midiOutLog())
            if ((bytes & 0xF0) == 0x90 && (bytes >> 16) && late.size() < due.size())
                late.push_back(static_cast<double>(sent) - due[late.size()]);
        double worst = 0, total = 0;
        for (double l : late) {
            worst = std::max(worst, std::fabs(l));
            total += std::fabs(l);
        }
        // As against a recording, whose start is not known: one constant
        // latency (the median) taken off, the note-ons' spread about it.
        std::vector<double> sorted = late;
        std::sort(sorted.begin(), sorted.end());
        const double median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
        double spread = 0;
        for (double l : late) spread = std::max(spread, std::fabs(l - median));
        state.counters["note-ons"] = static_cast<double>(late.size());
        state.counters["worst_ms"] = worst;
        state.counters["mean_ms"] = late.empty() ? 0 : total / late.size();
        state.counters["median_ms"] = median;
        state.counters["spread_ms"] = spread;
        closeSound();
    }
}
BENCHMARK(BM_PlaybackTiming)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
