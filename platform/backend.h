// What the Win32 core (platform/*.cpp) needs from a screen, and how a screen
// reports what the person does.
//
// Two audiences: a backend (platform/gtk, platform/headless) implements every
// function in namespace backend; the core implements namespace core, which a
// backend calls from its event handling. The program never includes this file.
//
// Rules both sides keep:
// - The core owns every window's state (rectangles, text, focus, the backing
//   image); a backend mirrors it on its screen and never decides it.
// - core:: entry points only queue messages and update state; they never call
//   a window procedure, so a backend may call them from inside its own event
//   dispatch at any time.
// - A change the core asks for (backend::setWindowText, setFocus, moveWindow)
//   must not be reported back through core:: as if the person had made it.
// - Coordinates: top-level windows in screen pixels; controls in their
//   parent's client pixels; mouse points in the window's client pixels.
#pragma once

#include "platform/win32.h"

#include <cairo.h>
#include <string>

namespace backend {

// The frame the layer adds around a top-level window's client area.
constexpr int frameLeft = 4;
constexpr int frameRight = 4;
constexpr int frameTop = 20;
constexpr int frameBottom = 4;

enum class WindowKind { TopLevel, Button, Edit };

struct WindowDesc {
    WindowKind kind;
    HWND parent;       // the top-level window of a control; nullptr for a top-level window
    int controlId;     // a control's identifier (CreateWindowExA's menu argument); 0 for top-level
    DWORD style;       // as given to CreateWindowExA (WS_TABSTOP, ES_AUTOHSCROLL, ...)
    DWORD exStyle;     // as given to CreateWindowExA (WS_EX_CLIENTEDGE, WS_EX_STATICEDGE)
    std::string text;  // title, button caption or edit contents
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
// Show or hide the window (a top-level window shown becomes the active one).
void showWindow(HWND window, bool visible);
// Replace the title, the button caption or the edit contents.
void setWindowText(HWND window, const char* text);
// Give keyboard focus to this window or control.
void setFocus(HWND window);
// An edit control's text and background colours, as its parent answered WM_CTLCOLOREDIT
// (the DC's text colour and the returned brush's colour). Called at every repaint of the
// edit for which the parent returned a brush of its own; never for the default answer.
void setEditColours(HWND edit, COLORREF text, COLORREF background);
// A top-level window's icon: a 32 x 32 CAIRO_FORMAT_ARGB32 surface, owned by the core, alive as long as the window.
void setWindowIcon(HWND window, cairo_surface_t* icon);
// This rectangle (client coordinates) of the window's backing image changed: show it.
// The image itself is core::backingImage(window).
void present(HWND window, const RECT& area);

// The mouse pointer in screen coordinates.
POINT cursorPosition();
// The whole screen, (0, 0) at the top left.
RECT screenRect();
// The screen less task bars and docks, in screen coordinates.
RECT workArea();

// Whether a synthesizer that midiOutOpen opens plays through an audio driver
// (the core chooses which). False: it plays silently and the backend pulls its
// samples (core::renderSynthesizer). May be called on any thread.
bool playsAloud();

// Handle every native event that is already pending, without waiting.
void pollEvents();
// Wait until at least one native event has been handled. Returns false when no
// event can ever come (headless with nothing scripted); GetMessageA then
// returns as if WM_QUIT with code 3 had arrived.
bool waitForEvents();

}  // namespace backend

namespace core {

// The left button went down / up at a point of the window's client area
// (a top-level window; presses on controls are the backend's own business).
void mousePressed(HWND window, int x, int y);
void mouseReleased(HWND window, int x, int y);
// A push button was clicked: its parent receives WM_COMMAND with the button's identifier.
void buttonClicked(HWND button);
// The person changed an edit control's contents; text is the whole new contents.
void editChanged(HWND edit, const char* text);
// A navigation key (VK_TAB, VK_RETURN, VK_ESCAPE) was pressed while this window
// or control had focus; it reaches the program as WM_KEYDOWN through the queue.
// Ordinary typing in an edit control is reported with editChanged instead.
void keyPressed(HWND window, int virtualKey, bool shift);
// The person moved keyboard focus to this window or control (by a click, say).
void focusChanged(HWND window);
// The person asked to close a top-level window: the program receives WM_CLOSE.
void closeRequested(HWND window);
// The window manager moved or resized a top-level window (both in screen coordinates).
// A new client size gives the window a new backing image and a repaint.
void windowMoved(HWND window, const RECT& outer, const RECT& client);
// The window's backing image: CAIRO_FORMAT_RGB24, the size of the client area,
// owned by the core; it changes only through windowMoved or SetWindowPos.
cairo_surface_t* backingImage(HWND window);

}  // namespace core
