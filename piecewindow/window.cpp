// The piece window's class, its making and its window procedure.
#include "piecewindow/piece_window.h"

#include <cmath>
#include <utility>

#include "piecewindow/live.h"
#include "piecewindow/moments.h"
#include "piecewindow/paint.h"
#include "piecewindow/playback.h"
#include "piecewindow/recording_playback.h"
#include "piecewindow/view.h"

namespace {

constexpr double ZoomStep = 1.25;

struct ButtonPlan {
    HWND* handle;
    const char* caption;
    int id;
};

const ButtonPlan buttonPlans[] = {
    {&PieceWindow.playButton, "Play", PlayButtonId},
    {&PieceWindow.pauseButton, "Pause", PauseButtonId},
    {&PieceWindow.stopButton, "Stop", StopButtonId},
    {&PieceWindow.saveButton, "Save", SaveButtonId},
    {&PieceWindow.sessionButton, "Session", SessionButtonId},
};

void placeButtons() {
    const int unit = pieceLayout().unit;
    int x = unit / 2;
    for (const ButtonPlan& plan : buttonPlans) {
        SetWindowPos(*plan.handle, nullptr, x, unit / 5, 4 * unit, 8 * unit / 5, 0);
        x += 9 * unit / 2;
    }
}

// The picture, and the scroll bar showing the same view.
void paintWindow(HDC dc) {
    paintPieceView(dc);
    if (PieceWindow.hasPiece) showViewInScrollBar();
}

void placeScrollBar() {
    const RECT place = pieceLayout().scrollBar;
    SetWindowPos(PieceWindow.scrollBar, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top, 0);
}

void createButtons() {
    for (const ButtonPlan& plan : buttonPlans) {
        *plan.handle = CreateWindowExA(0, "button", plan.caption, WS_CHILD | WS_VISIBLE, 0, 0, 1, 1,
                                       PieceWindow.window,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(plan.id)),
                                       PieceWindow.instance, nullptr);
        SendMessageA(*plan.handle, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    }
    const bool sessionStarted = PieceWindow.host.liveSession && PieceWindow.host.liveSession(nullptr);
    EnableWindow(PieceWindow.sessionButton, sessionStarted ? TRUE : FALSE);
    placeButtons();
}

// Over the lower part of the work area, below the main window's spikes and their names.
void createWindow() {
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = work.right - work.left, height = work.bottom - work.top;
    PieceWindow.window = CreateWindowExA(0, PieceWindowClassName, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                         work.left + width / 50, work.top + height * 58 / 100, width * 96 / 100,
                                         height * 40 / 100, nullptr, nullptr, PieceWindow.instance, nullptr);
    createButtons();
    PieceWindow.scrollBar = CreateWindowExA(0, "scrollbar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 1, 1,
                                            PieceWindow.window, nullptr, PieceWindow.instance, nullptr);
    placeScrollBar();
    DragAcceptFiles(PieceWindow.window, TRUE);
}

const char* fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

// A click takes the focus to a button; the window takes it back for its keys.
void runCommand(int id) {
    if (id == PlayButtonId || id == PauseButtonId || id == StopButtonId) PieceWindow.live.following = false;
    if (id == PlayButtonId) startPlaying();
    if (id == PauseButtonId) pausePlaying();
    if (id == StopButtonId) stopPlaying();
    if (id == SessionButtonId) showLiveSession(true);
    SetFocus(PieceWindow.window);
    if (id == SaveButtonId) saveShownChords();
}

void zoomAtCursor(double factor) {
    const RECT area = pieceLayout().spectrogram;
    const int x = xOfTime(PieceWindow.cursorTime);
    zoomAround(factor, x >= area.left && x < area.right ? x : (area.left + area.right) / 2);
    redrawPieceWindow();
}

// A jump while playing goes on playing from there.
template <typename Move>
void moveCursor(Move move) {
    const bool playing = PieceWindow.playback.playing;
    if (playing) pausePlaying();
    move();
    viewMovedByHand();
    redrawPieceWindow();
    if (playing) startPlaying();
}

bool pressKey(WPARAM key) {
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        moveCursor([key] { stepSegment(key == VK_RIGHT ? 1 : -1); });
        return true;
    case VK_SPACE:
        PieceWindow.live.following = false;
        togglePlaying();
        return true;
    case 'S':
        if (GetKeyState(VK_CONTROL) >= 0) return false;
        saveShownChords();
        return true;
    case VK_ADD:
    case VK_OEM_PLUS:
        zoomAtCursor(ZoomStep);
        return true;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        zoomAtCursor(1 / ZoomStep);
        return true;
    default:
        return false;
    }
}

// Ctrl zooms about the pointer; the wheel alone scrolls a tenth of the view a notch.
void turnWheel(WPARAM wParam, LPARAM lParam) {
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam);
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(PieceWindow.window, &point);
    const RECT area = pieceLayout().spectrogram;
    if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)
        zoomAround(std::pow(ZoomStep, notches / static_cast<double>(WHEEL_DELTA)), point.x);
    else
        scrollBy(-notches * (area.right - area.left) / 10 / WHEEL_DELTA);
    viewMovedByHand();
    redrawPieceWindow();
}

void press(int x, int y) {
    const PieceLayout layout = pieceLayout();
    SetFocus(PieceWindow.window);
    if (!PieceWindow.hasPiece || x < layout.strip.left || y < layout.strip.top || y >= layout.spectrogram.bottom) return;
    moveCursor([x] { showMomentAt(timeAtX(x)); });
}

// A new size keeps the zoom, unless the whole piece was fitting: then it fits
// again. The live session keeps its zoom and its end in view.
void resize() {
    if (!PieceWindow.window) return;
    if (PieceWindow.live.shown) {
        placeButtons();
        placeScrollBar();
        liveSessionGrew();
        return;
    }
    const double zoom = PieceWindow.view.pixelsPerSecond;
    const int scroll = PieceWindow.view.scrollX;
    fitWholePiece();
    if (zoom > PieceWindow.view.pixelsPerSecond) {
        PieceWindow.view.pixelsPerSecond = zoom;
        PieceWindow.view.scrollX = scroll;
        scrollBy(0);
    }
    placeButtons();
    placeScrollBar();
    InvalidateRect(PieceWindow.window, nullptr, FALSE);
}

LRESULT CALLBACK pieceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        paintWindow(BeginPaint(window, &paint));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SIZE:
        if (PieceWindow.hasPiece) resize();
        return 0;
    case WM_COMMAND:
        runCommand(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        if (pressKey(wParam)) return 0;
        break;
    case WM_HSCROLL:
        if (PieceWindow.hasPiece) {
            scrollAsAsked(wParam);
            viewMovedByHand();
            redrawPieceWindow();
        }
        return 0;
    case WM_MOUSEWHEEL:
        if (PieceWindow.hasPiece) turnWheel(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        press(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_TIMER:
        if (wParam == PieceWindow.host.playbackTimer) playbackTick();
        return 0;
    case MM_WOM_DONE:
        recordingBufferDone(reinterpret_cast<WAVEHDR*>(lParam));
        return 0;
    case WM_DROPFILES:
        openDroppedFile(reinterpret_cast<HDROP>(wParam), window);
        return 0;
    case WM_CLOSE:
        pausePlaying();
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void preparePieceWindow(HINSTANCE instance, const PieceWindowHost& host) {
    resetPieceWindow();
    PieceWindow.instance = instance;
    PieceWindow.host = host;
    WNDCLASSA pieceClass = {};
    pieceClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    pieceClass.lpfnWndProc = pieceWindowProc;
    pieceClass.hInstance = instance;
    pieceClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    pieceClass.lpszClassName = PieceWindowClassName;
    RegisterClassA(&pieceClass);
}

void showPiece(Piece&& piece) { presentPiece(std::move(piece), true); }

void presentPiece(Piece&& piece, bool takeFocus) {
    if (PieceWindow.playback.playing) stopPlaying();
    stopRecording();  // a paused recording's device, too
    if (!PieceWindow.window) createWindow();
    PieceWindow.piece = std::move(piece);
    PieceWindow.hasPiece = true;
    PieceWindow.live = LiveView{};
    PieceWindow.bitmap = PieceBitmap{};
    PieceWindow.cursorTime = 0;
    PieceWindow.playback.shownSegment = -1;
    SetWindowTextA(PieceWindow.window, fileNameOf(PieceWindow.piece.path));
    fitWholePiece();
    ShowWindow(PieceWindow.window, takeFocus ? SW_SHOW : SW_SHOWNOACTIVATE);
    redrawPieceWindow();
    if (takeFocus) SetFocus(PieceWindow.window);
    if (PieceWindow.host.pieceShown) PieceWindow.host.pieceShown(PieceWindow.piece.title.c_str());
}

void setPieceArrangement(bool byChord) {
    PieceWindow.view.byChord = byChord;
    if (PieceWindow.hasPiece) redrawPieceWindow();
}

void redrawPieceWindow() {
    if (!PieceWindow.window) return;
    HDC dc = GetDC(PieceWindow.window);
    paintWindow(dc);
    ReleaseDC(PieceWindow.window, dc);
}

void endPieceWindow() {
    if (PieceWindow.playback.playing) pausePlaying();
    stopRecording();
}
