// The piece window's state: one record for the process. The window shows one
// piece at a time: its chord spectrogram (drawn once into a bitmap at the
// current zoom and blitted), the strip of segment names above it, the bar
// numbers below, a cursor, and Play, Pause and Stop.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/pitch_set.h"
#include "audio/sound_file.h"
#include "piece/timeline.h"
#include "platform/win32.h"

// The main window's side: what the piece window asks of it.
struct PieceWindowHost {
    void (*showMoment)(const PitchSet& set);  // the moment's notes, as if typed and entered
    HMIDIOUT (*synthesizer)();                // where the piece plays; null: silently
    void (*pieceShown)(const char* title);    // a piece was opened in the window
    const Piece* (*liveSession)(bool* full);  // the live session as it is now; null before it starts
    UINT_PTR playbackTimer;                   // the piece window's timer id
};

struct PieceView {
    double pixelsPerSecond;  // the zoom; the whole piece fits at first
    int scrollX;             // the bitmap column at the spectrogram's left edge
    bool byChord;            // rows by chord type (the main window's "x Chord"), else by key
};

struct PieceBitmap {
    std::vector<std::uint32_t> pixels;  // rows top down, 0x00RRGGBB, `stride` pixels apart
    int width, height;                  // height: one row a chord
    int stride;                         // room for a growing piece's columns
    double pixelsPerSecond;             // the zoom it was drawn at
    bool byChord;                       // the arrangement it was drawn in
};

struct PiecePlayback {
    bool playing;
    double startTime;          // where in the piece the playing started
    std::uint32_t startTick;   // GetTickCount then
    int shownSegment;          // the segment the main window was last shown; -1 none
};

// A MIDI file's messages on a MIDI stream (piece_stream.h): every event from
// the cursor on, in buffers under the device's 64 KB, all queued at once.
struct PieceStream {
    HMIDISTRM handle;                         // null: none open
    std::vector<std::vector<DWORD>> buffers;  // MIDIEVENTs of three DWORDs each
    std::vector<MIDIHDR> headers;             // one a buffer
};

// A recording's own sound (recording_playback.h): its file read on as the
// device hands its buffers back.
inline constexpr int RecordingBufferCount = 3;
struct RecordingPlayer {
    HWAVEOUT device;           // null: closed
    int sampleRate;            // the file's and the device's
    SoundFile file;
    bool fileOpen, fileEnded;  // ended: nothing more to queue
    std::size_t memoryAt;      // the next of piece.samples to queue, where the sound is in memory
    std::int64_t startFrame;   // the sample the device's position counts from
    bool paused;
    double pausedAt;           // seconds, where the pause holds the device
    bool toldSilence;          // standard error has said why nothing sounds
    WAVEHDR headers[RecordingBufferCount];
    std::vector<std::int16_t> samples[RecordingBufferCount];
    std::vector<float> block;  // the file's samples on their way to a buffer
};

// The live session in the window (live.h).
struct LiveView {
    bool shown;      // the window shows the session, not a file
    bool following;  // the view keeps the newest moment at its right edge
    bool full;       // the session has stopped growing at its cap
};

struct PieceWindowRecord {
    HWND window, playButton, pauseButton, stopButton, saveButton, sessionButton, scrollBar;
    HINSTANCE instance;
    PieceWindowHost host;
    bool hasPiece;
    Piece piece;
    PieceView view;
    PieceBitmap bitmap;
    double cursorTime;  // seconds: where playing starts and the cursor stands
    PiecePlayback playback;
    PieceStream stream;
    RecordingPlayer recording;
    LiveView live;
};

extern PieceWindowRecord PieceWindow;

// Back to the state at start: no window, no piece.
void resetPieceWindow();
