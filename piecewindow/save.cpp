// Saving the chords shown as a lab file (piece_window.h).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "piece/lab.h"
#include "piecewindow/piece_window.h"

namespace {

// The file's name with .lab for its extension; "session.lab" for the live session.
std::string suggestedName() {
    const std::string& path = PieceWindow.piece.path;
    if (PieceWindow.live.shown || path.empty()) return "session.lab";
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return (dot == std::string::npos || dot == 0 ? name : name.substr(0, dot)) + ".lab";
}

// The whole text or nothing reported as written: every write and the close checked.
bool writeWholeFile(const char* path, const std::string& text, std::string& error) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (!written) error = std::strerror(errno);
    const bool closed = std::fclose(file) == 0;
    if (written && !closed) error = std::strerror(errno);
    return written && closed;
}

}  // namespace

void saveShownChords() {
    if (!PieceWindow.hasPiece) return;
    char path[4096] = "";
    std::strncpy(path, suggestedName().c_str(), sizeof path - 1);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = PieceWindow.window;
    dialog.lpstrFilter = "Chord labels (*.lab)\0*.lab\0All files\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = "Save the chords";
    dialog.lpstrDefExt = "lab";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&dialog)) return;
    std::string error;
    if (!writeWholeFile(path, labText(PieceWindow.piece), error)) {
        const std::string text = std::string("Tonvisor cannot save ") + path + ":\n" + error;
        MessageBoxA(PieceWindow.window, text.c_str(), "Tonvisor", MB_OK | MB_ICONERROR);
    }
}
