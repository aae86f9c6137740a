// The piece window's state: one record for the process. The window shows one
// piece at a time: its chord spectrogram (drawn once into a bitmap at the
// current zoom and blitted), the strip of segment names above it, the bar
// numbers below, a cursor, and Play, Pause and Stop.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/pitch_set.h"
#include "piece/timeline.h"
#include "platform/win32.h"

// The main window's side: what the piece window asks of it.
struct PieceWindowHost {
    void (*showMoment)(const PitchSet& set);  // the moment's notes, as if typed and entered
    HMIDIOUT (*synthesizer)();                // where the piece plays; null: silently
    void (*pieceShown)(const char* title);    // a piece was opened in the window
    UINT_PTR playbackTimer;                   // the piece window's timer id
};

struct PieceView {
    double pixelsPerSecond;  // the zoom; the whole piece fits at first
    int scrollX;             // the bitmap column at the spectrogram's left edge
    bool byChord;            // rows by chord type (the main window's "x Chord"), else by key
};

struct PieceBitmap {
    std::vector<std::uint32_t> pixels;  // rows top down, 0x00RRGGBB
    int width, height;                  // height: one row a chord
    double pixelsPerSecond;             // the zoom it was drawn at
    bool byChord;                       // the arrangement it was drawn in
};

struct PiecePlayback {
    bool playing;
    double startTime;          // where in the piece the playing started
    std::uint32_t startTick;   // GetTickCount then
    std::size_t nextMessage;   // the next of piece.messages to send
    std::uint32_t frameTick;   // GetTickCount at the cursor's last frame
    int shownSegment;          // the segment the main window was last shown; -1 none
};

struct PieceWindowRecord {
    HWND window, playButton, pauseButton, stopButton, scrollBar;
    HINSTANCE instance;
    PieceWindowHost host;
    bool hasPiece;
    Piece piece;
    PieceView view;
    PieceBitmap bitmap;
    double cursorTime;  // seconds: where playing starts and the cursor stands
    PiecePlayback playback;
};

extern PieceWindowRecord PieceWindow;

// Back to the state at start: no window, no piece.
void resetPieceWindow();
