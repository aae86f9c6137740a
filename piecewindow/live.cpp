// The live session in the piece window (live.h).
#include "piecewindow/live.h"

#include "piecewindow/piece_window.h"
#include "piecewindow/playback.h"
#include "piecewindow/recording_playback.h"
#include "piecewindow/view.h"

namespace {

template <typename T>
void appendNew(std::vector<T>& shown, const std::vector<T>& session) {
    if (shown.size() > session.size()) shown.clear();
    shown.insert(shown.end(), session.begin() + static_cast<std::ptrdiff_t>(shown.size()), session.end());
}

void takeSession(const Piece& session) {
    Piece& shown = PieceWindow.piece;
    appendNew(shown.columns, session.columns);
    appendNew(shown.messages, session.messages);
    appendNew(shown.samples, session.samples);
    shown.segments = session.segments;
    shown.kind = session.kind;
    shown.duration = session.duration;
    shown.sampleRate = session.sampleRate;
    shown.title = session.title;
}

void keepZoomWithinBitmap() {
    double& zoom = PieceWindow.view.pixelsPerSecond;
    while (zoom > 1e-3 && zoom * PieceWindow.piece.duration > WidestBitmap) zoom /= 2;
}

void follow() {
    keepZoomWithinBitmap();
    if (PieceWindow.live.following && !PieceWindow.playback.playing) scrollToEnd();
}

}  // namespace

void showLiveSession(bool takeFocus) {
    bool full = false;
    const Piece* session = PieceWindow.host.liveSession ? PieceWindow.host.liveSession(&full) : nullptr;
    if (!session) return;
    if (!PieceWindow.live.shown) {
        Piece start;
        start.kind = session->kind;
        start.title = session->title;
        presentPiece(std::move(start), takeFocus);
        PieceWindow.live.shown = true;
        PieceWindow.view.pixelsPerSecond = LivePixelsPerSecond;
    }
    PieceWindow.live.full = full;
    PieceWindow.live.following = true;
    takeSession(*session);
    SetWindowTextA(PieceWindow.window, liveSessionTitle());
    follow();
    ShowWindow(PieceWindow.window, takeFocus ? SW_SHOW : SW_SHOWNOACTIVATE);  // again, if it was closed
    redrawPieceWindow();
}

void liveSessionGrew() {
    bool full = false;
    const Piece* session = PieceWindow.host.liveSession ? PieceWindow.host.liveSession(&full) : nullptr;
    if (session && PieceWindow.window) EnableWindow(PieceWindow.sessionButton, TRUE);
    if (!session || !PieceWindow.live.shown) return;
    takeSession(*session);
    if (full != PieceWindow.live.full) {
        PieceWindow.live.full = full;
        SetWindowTextA(PieceWindow.window, liveSessionTitle());
    }
    follow();
    redrawPieceWindow();
}

void viewMovedByHand() {
    if (PieceWindow.live.shown) PieceWindow.live.following = viewAtEnd();
}

const char* liveSessionTitle() { return PieceWindow.live.full ? "Session (full: one hour)" : "Session"; }
