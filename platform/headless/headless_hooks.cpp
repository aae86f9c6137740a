// The headless backend's test hooks (headless.h): what a person would do to
// the virtual screen, and the core's inspection services passed through.
#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/seam/core.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

bool inside(const RECT& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// The topmost visible top-level window under the point, and the visible
// control under it there if any.
HWND windowAt(int x, int y, HWND* control) {
    *control = nullptr;
    const auto& order = Headless_state.order;
    for (auto top = order.rbegin(); top != order.rend(); ++top) {
        const Headless_Window& window = Headless_state.windows.at(*top);
        if (window.desc.parent || !window.visible || !inside(window.desc.outer, x, y)) continue;
        for (HWND handle : order) {
            const Headless_Window& child = Headless_state.windows.at(handle);
            if (child.desc.parent == *top && child.visible &&
                inside(Headless_screenRect(child), x, y))
                *control = handle;
        }
        return *top;
    }
    return nullptr;
}

void clickPoint(HWND window, int screenX, int screenY, void (*report)(HWND, int, int)) {
    const Headless_Window& mirror = Headless_state.windows.at(window);
    if (!inside(mirror.desc.client, screenX, screenY)) return;  // on the frame
    report(window, screenX - mirror.desc.client.left, screenY - mirror.desc.client.top);
}

// Fetches and dispatches until nothing is ready; false when it gave up on a
// queue that never empties (a window procedure that never validates its
// window would repaint for ever).
bool dispatchQueued(int& handled) {
    constexpr int patience = 100000;
    MSG message;
    for (; core::nextMessage(&message); ++handled) {
        if (handled == patience) {
            std::fputs("headless: runUntilIdle gave up: the queue never empties\n", stderr);
            return false;
        }
        HWND active = GetActiveWindow();
        if (IsWindow(active) && IsDialogMessageA(active, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

}  // namespace

namespace headless {

void setScreen(int width, int height) {
    backend::initialise();
    Headless_setScreen(width, height);
}

void setWorkArea(RECT area) {
    backend::initialise();
    Headless_state.workArea = area;
}

void reset() {
    backend::initialise();
    core::reset();
    Headless_resetMidi();
    Headless_resetAudio();
    Headless_state = Headless_Screen{};
    Headless_defaultScreen();
    playAloud(false);
    recordMidiOut(false);
}

void typeText(HWND edit, const char* text) {
    Headless_Window* mirror = Headless_find(edit);
    if (!mirror || mirror->desc.kind != backend::WindowKind::Edit || (mirror->desc.style & ES_READONLY) || !text)
        return;
    mirror->desc.text += text;
    core::editChanged(edit, mirror->desc.text.c_str());
}

void clickButton(HWND button) {
    const Headless_Window* mirror = Headless_find(button);
    if (!mirror || mirror->desc.kind != backend::WindowKind::Button || Headless_greyed(*mirror)) return;
    core::focusChanged(button);  // a button takes the focus when clicked
    core::buttonClicked(button);
}

void mouseDown(int screenX, int screenY) {
    Headless_state.cursor = POINT{screenX, screenY};
    HWND control;
    HWND window = windowAt(screenX, screenY, &control);
    if (!window) return;
    if (!control) {
        clickPoint(window, screenX, screenY, core::mousePressed);
        return;
    }
    Headless_state.pressedControl = control;
    const Headless_Window& pressed = Headless_state.windows.at(control);
    if (pressed.desc.kind == backend::WindowKind::Edit && !Headless_greyed(pressed)) core::focusChanged(control);
}

void mouseUp(int screenX, int screenY) {
    Headless_state.cursor = POINT{screenX, screenY};
    HWND control;
    HWND window = windowAt(screenX, screenY, &control);
    // A control under a press keeps the mouse until the release, as with capture.
    if (HWND pressed = std::exchange(Headless_state.pressedControl, nullptr)) {
        if (control == pressed && Headless_state.windows.at(pressed).desc.kind == backend::WindowKind::Button)
            clickButton(pressed);
        return;
    }
    if (window && !control) clickPoint(window, screenX, screenY, core::mouseReleased);
}

void pressKey(int virtualKey, bool shift, bool control) {
    if (HWND focus = core::focusedWindow()) core::keyPressed(focus, virtualKey, shift, control);
}

void dragScrollBar(HWND scrollBar, int position) { core::scrollBarMoved(scrollBar, position); }

// The wheel turns the top-level window under the pointer, over a control too.
void turnWheel(int screenX, int screenY, int delta, bool control) {
    Headless_state.cursor = POINT{screenX, screenY};
    HWND under;
    if (HWND window = windowAt(screenX, screenY, &under))
        core::wheelTurned(window, delta, control, screenX, screenY);
}

void runUntilIdle() {
    int handled = 0;
    while (dispatchQueued(handled) && core::programThreadsRunning()) Headless_awaitPost();
}

namespace {

// The first moment a timer or a MIDI stream's event falls due, or none.
bool nextDue(std::uint64_t* due) {
    std::uint64_t timer, event;
    const bool hasTimer = core::nextTimerDue(&timer), hasEvent = core::nextMidiStreamEventDue(&event);
    if (!hasTimer && !hasEvent) return false;
    *due = !hasEvent ? timer : !hasTimer ? event : std::min(timer, event);
    return true;
}

}  // namespace

// Streams play their events before the timers of the same moment run.
void advanceClock(unsigned milliseconds) {
    const std::uint64_t end = Headless_state.clock + milliseconds;
    std::uint64_t due;
    while (nextDue(&due) && due <= end) {
        Headless_state.clock = std::max(Headless_state.clock, due);
        core::playMidiStreams();
        Headless_playAudio();
        runUntilIdle();
        // A timer still due means runUntilIdle gave up on a queue that never empties.
        if (core::nextTimerDue(&due) && due <= Headless_state.clock) break;
    }
    Headless_state.clock = end;
    core::playMidiStreams();
    Headless_playAudio();
}

void useRealClock() {
    backend::initialise();
    Headless_state.realClock = true;
}

void whenIdle(std::function<void()> action) { Headless_state.idleActions.push_back(std::move(action)); }

RECT clientRect(HWND window) {
    const Headless_Window* mirror = Headless_find(window);
    return mirror ? Headless_screenRect(*mirror) : RECT{0, 0, 0, 0};
}

HWND focusedWindow() { return core::focusedWindow(); }

void recordMidiOut(bool on) { core::recordMidiOut(on); }

std::vector<std::pair<std::uint64_t, DWORD>> midiOutLog() {
    std::vector<std::pair<std::uint64_t, DWORD>> log;
    for (const core::TimedShortMessage& sent : core::midiOutLog()) log.emplace_back(sent.milliseconds, sent.message);
    return log;
}

void recordDrawing(bool on) { core::recordDrawing(on); }
const std::vector<DrawRecord>& displayList(HDC dc) { return core::displayList(dc); }
void clearDisplayList(HDC dc) { core::clearDisplayList(dc); }
int liveGdiObjects() { return core::liveGdiObjects(); }

}  // namespace headless
