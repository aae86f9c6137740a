// The piece window: a second top-level window, resizable, showing one piece's
// chord spectrogram over time (view.h, paint.h), the moments clicked or
// stepped to in the main window (moments.h), and playing it (playback.h).
// The live session shows in it too (live.h), from its Session button or as
// the session starts. Files open from the main window's Open button, its
// command line, or a drop on either window; a file that cannot be read gets
// a message box.
#pragma once

#include "piece/timeline.h"
#include "piecewindow/state.h"
#include "platform/win32.h"

inline constexpr const char* PieceWindowClassName = "TonvisorPiece";
inline constexpr int PlayButtonId = 1;
inline constexpr int PauseButtonId = 2;
inline constexpr int StopButtonId = 3;
inline constexpr int SaveButtonId = 4;
inline constexpr int SessionButtonId = 5;

// Before any piece: the state reset and the window class registered.
void preparePieceWindow(HINSTANCE instance, const PieceWindowHost& host);
// The piece in the window, which is made or shown as needed: the whole piece
// fitting, the cursor at the start, its first frame drawn; the window titled
// with the file's name.
void showPiece(Piece&& piece);
// The same, the keyboard focus taken to the window or left where it is.
void presentPiece(Piece&& piece, bool takeFocus);
// Reads the file and shows it; a file that cannot be read is named with the
// reason in a message box over the owner, and the piece shown before stays.
bool openPieceFile(const char* path, HWND owner);
// WM_DROPFILES: the first file dropped opened, the drop finished.
void openDroppedFile(HDROP drop, HWND owner);
// Save (and Ctrl+S): the chords shown, a file's or the live session's, saved
// as MIREX lab lines where the person chooses in the save dialog, exactly as
// tonvisor-cli --chords --lab prints them; a file that cannot be written is
// named with the reason in a message box.
void saveShownChords();
// The main window switched to "x Key" (false) or "x Chord" (true).
void setPieceArrangement(bool byChord);
// The picture drawn again at once.
void redrawPieceWindow();
// The program ends: playing stops and every channel falls silent.
void endPieceWindow();
