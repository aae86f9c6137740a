// Headless backend: a virtual screen in memory.
//
// Implements every backend:: function of platform/seam/backend.h. Nothing reaches a
// display: windows are mirrored for hit testing and savePng, and events come
// only from the test hooks (headless_hooks.cpp). Deterministic: fixed screen
// size, a virtual clock that only advanceClock moves, no native events; it
// waits only for messages that other threads post. A tool that runs in real
// time (useRealClock) has timers on the system's monotonic clock instead.
#include "platform/headless/headless_state.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

Headless_Screen Headless_state;

namespace {

// A post from any thread since the last wait: the one headless state that
// other threads touch. Never destroyed, as they may post while the process exits.
struct PostSignal {
    std::mutex guard;
    std::condition_variable arrived;
    bool pending = false;
};
PostSignal& postSignal = *new PostSignal;

}  // namespace

void Headless_setScreen(int width, int height) {
    constexpr int taskBar = 40;
    Headless_state.screen = RECT{0, 0, width, height};
    Headless_state.workArea = RECT{0, 0, width, height > taskBar ? height - taskBar : height};
}

void Headless_defaultScreen() {
    int width = 1024, height = 768;
    if (const char* setting = std::getenv("TONVISOR_SCREEN")) {
        int w = 0, h = 0;
        if (std::sscanf(setting, "%dx%d", &w, &h) == 2 && w > 0 && h > 0) {
            width = w;
            height = h;
        }
    }
    Headless_setScreen(width, height);
}

void Headless_awaitPost(std::int64_t timeout) {
    std::unique_lock lock(postSignal.guard);
    auto posted = [] { return postSignal.pending; };
    if (timeout >= 0)
        postSignal.arrived.wait_for(lock, std::chrono::milliseconds(timeout), posted);
    else
        postSignal.arrived.wait(lock, posted);
    postSignal.pending = false;
}

Headless_Window* Headless_find(HWND window) {
    auto found = Headless_state.windows.find(window);
    return found == Headless_state.windows.end() ? nullptr : &found->second;
}

RECT Headless_screenRect(const Headless_Window& window) {
    RECT rect = window.desc.client;
    for (const Headless_Window* parent = Headless_find(window.desc.parent); parent;
         parent = Headless_find(parent->desc.parent)) {
        rect.left += parent->desc.client.left;
        rect.right += parent->desc.client.left;
        rect.top += parent->desc.client.top;
        rect.bottom += parent->desc.client.top;
    }
    return rect;
}

bool Headless_greyed(const Headless_Window& window) { return (window.desc.style & WS_DISABLED) != 0; }

bool Headless_isCheckBox(const Headless_Window& window) {
    return window.desc.kind == backend::WindowKind::Button && (window.desc.style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
}

namespace backend {

void initialise() {
    static bool initialised = false;
    if (initialised) return;
    initialised = true;
    Headless_defaultScreen();
}

void createWindow(HWND window, const WindowDesc& desc) {
    Headless_state.windows[window] = Headless_Window{desc, (desc.style & WS_VISIBLE) != 0};
    Headless_state.order.push_back(window);
}

void destroyWindow(HWND window) {
    Headless_state.dropTargets.erase(window);
    Headless_state.windows.erase(window);
    std::erase(Headless_state.order, window);
    if (Headless_state.pressedControl == window) Headless_state.pressedControl = nullptr;
}

void moveWindow(HWND window, const RECT& outer, const RECT& client) {
    if (Headless_Window* mirror = Headless_find(window)) {
        mirror->desc.outer = outer;
        mirror->desc.client = client;
    }
}

void showWindow(HWND window, bool visible, bool) {
    if (Headless_Window* mirror = Headless_find(window)) mirror->visible = visible;
}

void setWindowText(HWND window, const char* text) {
    if (Headless_Window* mirror = Headless_find(window)) mirror->desc.text = text;
}

void setFocus(HWND) {}

void enableWindow(HWND window, bool enabled) {
    if (Headless_Window* mirror = Headless_find(window))
        mirror->desc.style = enabled ? mirror->desc.style & ~WS_DISABLED : mirror->desc.style | WS_DISABLED;
}

void setCheck(HWND checkBox, bool checked) {
    if (Headless_Window* mirror = Headless_find(checkBox)) mirror->checked = checked;
}

// The core keeps the bar's range and position; the screen shows a plain face.
void setScrollBar(HWND, int, int, int, int) {}

void setControlColours(HWND control, COLORREF text, COLORREF background) {
    if (Headless_Window* mirror = Headless_find(control)) {
        mirror->customColours = true;
        mirror->textColour = text;
        mirror->backgroundColour = background;
    }
}

SIZE controlTextSize(HWND, const std::string& text) { return Headless_controlTextSize(text); }

RECT editTextArea(HWND edit) {
    const Headless_Window* mirror = Headless_find(edit);
    return mirror ? Headless_editTextArea(*mirror) : RECT{0, 0, 0, 0};
}

void setWindowIcon(HWND, cairo_surface_t*) {}

void present(HWND window, cairo_surface_t* image, const RECT&) {
    if (Headless_Window* mirror = Headless_find(window)) mirror->image = image;
}

POINT cursorPosition() { return Headless_state.cursor; }
RECT screenRect() { return Headless_state.screen; }
RECT workArea() { return Headless_state.workArea; }

std::uint64_t milliseconds() {
    if (!Headless_state.realClock) return Headless_state.clock;
    using namespace std::chrono;
    const auto sinceStart = steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

bool clockIsVirtual() { return !Headless_state.realClock; }

void pollEvents() {}

// The virtual clock stands still while waiting: a timeout never ends a wait.
// A thread that the program started comes before the scripted actions: what
// it posts belongs to what happened before them. With no scripted action
// left, only another thread's post can come. On the real clock a wait ends
// with a post or when the timeout has passed.
bool waitForEvents(std::int64_t timeout) {
    if (core::programThreadsRunning()) {
        Headless_awaitPost();
        return true;
    }
    if (Headless_state.nextIdleAction < Headless_state.idleActions.size()) {
        // Taken out first: the action may queue further actions.
        auto action = std::move(Headless_state.idleActions[Headless_state.nextIdleAction++]);
        action();
        return true;
    }
    if (Headless_state.realClock || core::otherThreadsMayPost()) {
        Headless_awaitPost(Headless_state.realClock ? timeout : -1);
        return true;
    }
    std::fputs("headless: GetMessageA would wait for ever; returning WM_QUIT with code 3\n", stderr);
    return false;
}

void wake() {
    {
        std::lock_guard lock(postSignal.guard);
        postSignal.pending = true;
    }
    postSignal.arrived.notify_one();
}

}  // namespace backend
