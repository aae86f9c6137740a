// Whole pieces from the main window (pieces.h).
#include "shell/pieces.h"

#include <string>

#include "midi/sound.h"
#include "piecewindow/piece_window.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "shell/live_session.h"
#include "shell/window_ids.h"

namespace {

HMIDIOUT currentSynthesizer() { return Sound.synthesizer; }

// In the status the piece's title; the form's own title stays.
void namePiece(const char* title) {
    setText(PieceStatus, (std::string("Piece: ") + title).c_str());
}

// The command tail names one file: quoted where it holds blanks on Windows,
// the whole tail otherwise.
std::string fileOfCommandLine(const char* commandLine) {
    std::string tail = commandLine ? commandLine : "";
    const std::size_t first = tail.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    tail = tail.substr(first, tail.find_last_not_of(' ') - first + 1);
    if (tail.size() >= 2 && tail.front() == '"') return tail.substr(1, tail.find('"', 1) - 1);
    return tail;
}

}  // namespace

void preparePieces() {
    preparePieceWindow(Shell.programInstance, PieceWindowHost{showPitchSet, currentSynthesizer, namePiece, currentLiveSession, PlaybackTimer});
}

void startPieces(const char* commandLine) {
    DragAcceptFiles(Form1, TRUE);
    const std::string path = fileOfCommandLine(commandLine);
    if (!path.empty()) openPieceFile(path.c_str(), Form1);
}

void choosePiece() {
    char path[4096] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Form1;
    dialog.lpstrFilter = "MIDI files (*.mid, *.midi)\0*.mid;*.midi;*.kar\0All files\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = "Open a piece";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameA(&dialog)) openPieceFile(path, Form1);
}

void openDroppedPiece(HDROP drop) { openDroppedFile(drop, Form1); }
