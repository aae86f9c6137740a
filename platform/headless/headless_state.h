// The headless backend's own state, shared by its files: a virtual screen and
// a mirror of every window the core created, for hit testing and pictures.
#pragma once

#include "platform/seam/backend.h"
#include "platform/seam/core.h"

#include <cstdint>
#include <functional>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

struct Headless_Window {
    backend::WindowDesc desc;   // text, rectangles and WS_DISABLED kept current
    bool visible = false;
    bool checked = false;       // a check box's tick
    bool customColours = false; // from WM_CTLCOLOREDIT or WM_CTLCOLORSTATIC
    COLORREF textColour = 0, backgroundColour = 0;
    cairo_surface_t* image = nullptr; // a top-level window's backing image, as last presented
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
    bool realClock = false;            // useRealClock: the system's clock instead
    std::deque<std::string> openAnswers;   // what the next open dialogs choose; "" cancels
    std::deque<std::string> saveAnswers;   // where the next save dialogs save; "" cancels
    std::vector<std::string> messageBoxes; // every message box shown: caption, ": ", text
    std::set<HWND> dropTargets;            // windows that accept dropped files
};

extern Headless_Screen Headless_state;

// The screen, and a work area of the screen less a 40-pixel task bar at the bottom.
void Headless_setScreen(int width, int height);
// Headless_setScreen from TONVISOR_SCREEN (WxH), else 1024 x 768.
void Headless_defaultScreen();
Headless_Window* Headless_find(HWND window);
// Until another thread posts, or a thread the program started ends
// (backend::wake), or a timeout in milliseconds that is not negative passes.
void Headless_awaitPost(std::int64_t timeout = -1);
// A control's rectangle on the screen.
RECT Headless_screenRect(const Headless_Window& window);
// How the headless screen draws a control's text: its face and size, and
// the text's size in that font (headless_png.cpp).
void Headless_selectControlFont(cairo_t* cairo);
SIZE Headless_controlTextSize(const std::string& text);
// Where an edit shows its text, in its client pixels.
RECT Headless_editTextArea(const Headless_Window& edit);
bool Headless_greyed(const Headless_Window& window);
bool Headless_isCheckBox(const Headless_Window& window);
// Close every MIDI input quietly and every MIDI stream, and list no fake device (headless_midi.cpp).
void Headless_resetMidi();
// Close every wave input and output quietly and list no fake audio device
// (headless_wave.cpp).
void Headless_resetAudio();
// Every open fake output plays up to the clock's time.
void Headless_playAudio();
