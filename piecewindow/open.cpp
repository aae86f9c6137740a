// Opening a piece from a file named, chosen or dropped (piece_window.h).
#include <string>

#include "piece/piece_file.h"
#include "piecewindow/piece_window.h"

bool openPieceFile(const char* path, HWND owner) {
    Piece piece;
    std::string error;
    if (!readPiece(path, piece, error)) {
        const std::string text = std::string("Tonvisor cannot open ") + path + ":\n" + error;
        MessageBoxA(owner, text.c_str(), "Tonvisor", MB_OK | MB_ICONERROR);
        return false;
    }
    showPiece(std::move(piece));
    return true;
}

void openDroppedFile(HDROP drop, HWND owner) {
    char path[4096] = "";
    const bool named = DragQueryFileA(drop, 0xFFFFFFFFu, nullptr, 0) > 0 &&
                       DragQueryFileA(drop, 0, nullptr, 0) < sizeof path &&
                       DragQueryFileA(drop, 0, path, sizeof path) > 0;
    DragFinish(drop);
    if (named) openPieceFile(path, owner);
}
