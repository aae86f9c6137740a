// What a backend (platform/gtk, platform/headless) implements for the Win32
// core: windows and controls mirrored on a screen, their pixels shown, the
// pointer, the screen's size and its events. The core calls these; what the
// core offers a backend in return is platform/seam/core.h. The program never
// includes either.
//
// The core owns every window's state (rectangles, text, focus, the backing
// image); a backend mirrors it on its screen and never decides it.
// Coordinates: top-level windows in screen pixels; controls in their parent's
// client pixels.
#pragma once

#include "platform/win32.h"

#include <cairo.h>
#include <cstdint>
#include <string>

namespace backend {

enum class WindowKind { TopLevel, Button, Edit, Static, ScrollBar };

struct WindowDesc {
    WindowKind kind;
    HWND parent;       // the top-level window of a control; nullptr for a top-level window
    int controlId;     // a control's identifier (CreateWindowExA's menu argument); 0 for top-level
    DWORD style;       // as given to CreateWindowExA (WS_TABSTOP, WS_DISABLED, ES_AUTOHSCROLL,
                       // ES_READONLY, SS_..., BS_AUTOCHECKBOX: a "button" shown as a check
                       // box, unchecked at first)
    DWORD exStyle;     // as given to CreateWindowExA (WS_EX_CLIENTEDGE, WS_EX_STATICEDGE)
    std::string text;  // title, button caption, edit contents or static text
    RECT outer;        // top-level: frame rectangle on the screen; control: rectangle in the parent's client area
    RECT client;       // top-level: client area on the screen; control: equal to outer
};

// Called once by the core before any other backend call; later calls do nothing.
void initialise();

// A window or control now exists (hidden unless WS_VISIBLE is in style); children come after their parent.
void createWindow(HWND window, const WindowDesc& desc);
// The window is gone; the core destroys the children first. Forget every reference to the handle.
void destroyWindow(HWND window);
// New position and size, in the coordinates of WindowDesc::outer and WindowDesc::client.
void moveWindow(HWND window, const RECT& outer, const RECT& client);
// Show or hide the window (a top-level window shown becomes the active one,
// unless activate is false: then the active window stays so).
void showWindow(HWND window, bool visible, bool activate = true);
// Replace the title, the button caption, the edit contents or the static text.
void setWindowText(HWND window, const char* text);
// Give keyboard focus to this window or control.
void setFocus(HWND window);
// A control greyed out (false) or usable again: a greyed control takes no
// clicks and no focus and shows its text greyed.
void enableWindow(HWND window, bool enabled);
// A check box's tick; the core toggles it when the box is clicked, and a
// backend that toggles its widget by itself must not report this call back.
void setCheck(HWND checkBox, bool checked);
// An edit or static control's text and background colours, as its parent answered
// WM_CTLCOLOREDIT or WM_CTLCOLORSTATIC (the DC's text colour and the returned brush's
// colour). Called at every repaint of the control for which the parent returned a brush
// of its own; never for the default answer.
void setControlColours(HWND control, COLORREF text, COLORREF background);
// The size in pixels of a text as the control would show it, in the font the screen
// shows the control's text in (which may not be the one WM_SETFONT named).
SIZE controlTextSize(HWND control, const std::string& text);
// Where an edit control shows its text, in the control's client pixels: its
// rectangle less the frame and margins the screen draws.
RECT editTextArea(HWND edit);
// A horizontal scroll bar's range (min to max, both in), page and position,
// as SetScrollInfo left them. A change the person makes is reported with
// core::scrollBarMoved; this call must not be reported back.
void setScrollBar(HWND scrollBar, int min, int max, int page, int position);
// A top-level window's icon: a 32 x 32 CAIRO_FORMAT_ARGB32 surface, owned by the core, alive as long as the window.
void setWindowIcon(HWND window, cairo_surface_t* icon);
// This rectangle (client coordinates) of a top-level window's backing image
// changed: show it. image is that backing image (CAIRO_FORMAT_RGB24, the size of
// the client area), handed over whole when the window gets one (at creation and
// at every new client size) and with every change drawn into it. It stays alive
// until the core hands over another or destroys the window; a backend shows
// the last one handed over and never asks the core for it.
void present(HWND window, cairo_surface_t* image, const RECT& area);

// The mouse pointer in screen coordinates.
POINT cursorPosition();
// The whole screen, (0, 0) at the top left.
RECT screenRect();
// The screen less task bars and docks, in screen coordinates.
RECT workArea();

// The clock that timers run on, in milliseconds from an arbitrary start:
// real time on a real screen, a virtual clock that only tests move on the
// headless one.
std::uint64_t milliseconds();
// Whether that clock is the virtual one: MIDI streams then play as the
// backend moves it (core::playMidiStreams), not on threads of their own.
bool clockIsVirtual();

// Whether a synthesizer that midiOutOpen opens plays through an audio driver
// (the core chooses which). False: it plays silently and the backend pulls its
// samples (core::renderSynthesizer). May be called on any thread.
bool playsAloud();

// Handle every native event that is already pending, without waiting.
void pollEvents();
// Wait until at least one native event has been handled or timeout
// milliseconds have passed on the clock above (-1: no limit). Returns false
// when no event can ever come (headless with nothing scripted); GetMessageA
// then returns as if WM_QUIT with code 3 had arrived.
bool waitForEvents(std::int64_t timeout);
// Safe on any thread: a message was posted, so a waitForEvents in progress
// returns promptly, or the next one does if none is.
void wake();

}  // namespace backend
