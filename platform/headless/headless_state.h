// The headless backend's own state, shared by its files: a virtual screen and
// a mirror of every window the core created, for hit testing and pictures.
#pragma once

#include "platform/backend.h"
#include "platform/core.h"

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

struct Headless_Window {
    backend::WindowDesc desc;   // text, rectangles and WS_DISABLED kept current
    bool visible = false;
    bool checked = false;       // a check box's tick
    bool customColours = false; // from WM_CTLCOLOREDIT
    COLORREF textColour = 0, backgroundColour = 0;
};

struct Headless_Screen {
    RECT screen{};
    RECT workArea{};
    POINT cursor{};
    std::map<HWND, Headless_Window> windows;
    std::vector<HWND> order;           // creation order; later top-level windows lie on top
    std::vector<std::function<void()>> idleActions;
    std::size_t nextIdleAction = 0;
    HWND pressedControl = nullptr;     // a control under a press: it gets the release
    std::uint64_t clock = 0;           // milliseconds; only advanceClock moves it
};

extern Headless_Screen Headless_state;

// The screen, and a work area of the screen less a 40-pixel task bar at the bottom.
void Headless_setScreen(int width, int height);
// Headless_setScreen from TONVISOR_SCREEN (WxH), else 1024 x 768.
void Headless_defaultScreen();
Headless_Window* Headless_find(HWND window);
// Until another thread posts, or a thread the program started ends (backend::wake).
void Headless_awaitPost();
// A control's rectangle on the screen.
RECT Headless_screenRect(const Headless_Window& window);
bool Headless_greyed(const Headless_Window& window);
bool Headless_isCheckBox(const Headless_Window& window);
// Close every MIDI input quietly and list no fake device (headless_midi.cpp).
void Headless_resetMidi();
