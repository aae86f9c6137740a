// The message queue, dispatch, default processing and paint handling.
//
// GetMessageA fetches, in this order: posted messages (user_posting.cpp), the
// quit message, the person's input, WM_PAINT for a window that needs painting,
// and only then WM_TIMER for a timer that has fallen due; with nothing ready it
// waits for the backend, no longer than until the next timer falls due.
// SendMessageA calls the window procedure at once. A window the screen lost is
// destroyed inside the fetch, the way Windows delivers sent messages to a thread
// waiting in GetMessage.
#include "platform/gdi32/gdi_state.h"
#include "platform/user32/user_state.h"

#include <deque>
#include <utility>
#include <vector>

namespace user {
namespace {

struct Queued {
    MSG message;
    bool shift, control;
};

std::deque<Queued> input;
std::vector<HWND> lost;
bool quitPending = false;
int quitCode = 0;

MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{window, message, wParam, lParam, 0, backend::cursorPosition()};
}

bool takeFrom(std::deque<Queued>& queue, MSG* message) {
    if (queue.empty()) return false;
    *message = queue.front().message;
    shiftDown = queue.front().shift;
    controlDown = queue.front().control;
    queue.pop_front();
    return true;
}

void destroyLostWindows() {
    for (HWND handle : std::exchange(lost, {})) destroyWindow(handle);
}

bool nextPaint(MSG* message) {
    for (HWND handle : windowsInOrder()) {
        const Window* window = find(handle);
        if (window->invalid && shown(*window)) {
            *message = makeMessage(handle, WM_PAINT, 0, 0);
            return true;
        }
    }
    return false;
}

void quitMessage(MSG* message, int code) {
    *message = makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(code), 0);
}

// Posted messages carry no Shift or Ctrl state of their own.
bool takePostedMessage(MSG* message) {
    if (!takePosted(message)) return false;
    shiftDown = controlDown = false;
    return true;
}

}  // namespace

bool shiftDown = false, controlDown = false;

void queueInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool shift, bool control) {
    input.push_back(Queued{makeMessage(window, message, wParam, lParam), shift, control});
}

void queueLoss(HWND window) { lost.push_back(window); }

void emptyQueue() {
    emptyPosted();
    input.clear();
    lost.clear();
    quitPending = false;
    shiftDown = controlDown = false;
}

}  // namespace user

using user::Window;

bool core::nextMessage(MSG* message) {
    user::useBackend();
    backend::pollEvents();
    user::destroyLostWindows();
    return user::takePostedMessage(message) || user::takeFrom(user::input, message) ||
           user::nextPaint(message) || user::nextTimerMessage(message);
}

BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
    // The program fetches for every window without a filter; filters are not kept.
    if (!message) return FALSE;
    user::useBackend();
    for (;;) {
        backend::pollEvents();
        user::destroyLostWindows();
        if (user::takePostedMessage(message)) return TRUE;
        if (user::quitPending) {
            user::quitPending = false;
            user::quitMessage(message, user::quitCode);
            return FALSE;
        }
        if (user::takeFrom(user::input, message) || user::nextPaint(message) ||
            user::nextTimerMessage(message))
            return TRUE;
        if (!backend::waitForEvents(user::millisecondsToNextTimer())) {
            user::quitMessage(message, 3);
            return FALSE;
        }
    }
}

void WINAPI PostQuitMessage(int exitCode) {
    user::quitPending = true;
    user::quitCode = exitCode;
}

LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    const Window* window = user::find(handle);
    if (!window) return 0;
    return window->procedure(handle, message, wParam, lParam);
}

LRESULT WINAPI DispatchMessageA(const MSG* message) {
    if (!message) return 0;
    return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

// Key strokes become characters only for the keys the layer knows: the
// navigation keys. Typed text reaches edit controls through the backend.
BOOL WINAPI TranslateMessage(const MSG* message) {
    if (!message || message->message != WM_KEYDOWN) return FALSE;
    char character;
    switch (message->wParam) {
        case VK_TAB: character = '\t'; break;
        case VK_RETURN: character = '\r'; break;
        case VK_ESCAPE: character = 0x1B; break;
        default: return FALSE;
    }
    return PostMessageA(message->hwnd, WM_CHAR, static_cast<WPARAM>(character), message->lParam);
}

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            user::destroyWindow(handle);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            if (BeginPaint(handle, &paint)) EndPaint(handle, &paint);
            return 0;
        }
        case WM_CTLCOLOREDIT: {
            // The system's colours: window text on the window background.
            constexpr std::uintptr_t windowBrush = 5 + 1;  // COLOR_WINDOW + 1
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            return static_cast<LRESULT>(windowBrush);
        }
        case WM_CTLCOLORSTATIC: {
            // Window text on the face of buttons and dialogs.
            constexpr std::uintptr_t faceBrush = COLOR_BTNFACE + 1;
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(240, 240, 240));
            return static_cast<LRESULT>(faceBrush);
        }
        default:
            return 0;
    }
}

HDC WINAPI BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
    Window* window = user::find(handle);
    if (!window || !paint) return nullptr;
    if (!(window->classStyle & CS_OWNDC)) gdi::resetDC(window->dc);
    *paint = PAINTSTRUCT{};
    paint->hdc = window->dc;
    paint->rcPaint = RECT{0, 0, user::widthOf(window->client), user::heightOf(window->client)};
    COLORREF background;
    const bool canErase = gdi::brushColour(window->background, &background);
    if (window->erase && window->image && canErase) {
        user::fillImage(window->image, background);
        backend::present(handle, window->image, paint->rcPaint);
    }
    paint->fErase = window->erase && !canErase;
    window->invalid = false;
    window->erase = false;
    return window->dc;
}

BOOL WINAPI EndPaint(HWND handle, const PAINTSTRUCT* paint) {
    return user::find(handle) != nullptr && paint != nullptr;
}

// Every window has a DC of its own here; without CS_OWNDC it comes with the
// default objects, as a common DC does. No screen DC: a window is needed.
HDC WINAPI GetDC(HWND handle) {
    const Window* window = user::find(handle);
    if (!window) return nullptr;
    if (!(window->classStyle & CS_OWNDC)) gdi::resetDC(window->dc);
    return window->dc;
}

int WINAPI ReleaseDC(HWND handle, HDC dc) {
    const Window* window = user::find(handle);
    return window && window->dc == dc ? 1 : 0;
}

void core::reset() {
    user::destroyAllQuietly();
    user::forgetClasses();
    user::emptyQueue();
    recordDrawing(false);
}

// The keys as they were for the input message being handled: the high bit
// while down. Only Shift and Ctrl are followed.
SHORT WINAPI GetKeyState(int virtualKey) {
    const bool down = (virtualKey == VK_SHIFT && user::shiftDown) || (virtualKey == VK_CONTROL && user::controlDown);
    return down ? static_cast<SHORT>(0x8000) : 0;
}
