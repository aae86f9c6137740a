// The USER core's windows, classes and message queue, shared by user_*.cpp.
#pragma once

#include "platform/seam/backend.h"
#include "platform/seam/core.h"
#include "platform/win32.h"

#include <cairo.h>
#include <string>
#include <vector>

namespace user {

struct WindowClass {
    std::string name;
    UINT style;
    WNDPROC procedure;
    HBRUSH background;
    HICON icon;
    backend::WindowKind kind;
};

struct Window {
    HWND handle = nullptr;
    backend::WindowKind kind = backend::WindowKind::TopLevel;
    UINT classStyle = 0;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
    HWND parent = nullptr;
    int id = 0;
    DWORD style = 0, exStyle = 0;
    std::string text;
    RECT outer{}, client{};  // as in backend::WindowDesc
    bool visible = false;
    bool invalid = false;    // needs WM_PAINT
    bool erase = false;      // BeginPaint fills the background first
    bool destroying = false;
    HDC dc = nullptr;
    cairo_surface_t* image = nullptr;  // top-level windows only
    HGDIOBJ font = nullptr;            // from WM_SETFONT
    WPARAM check = BST_UNCHECKED;      // a check box's state (BM_GETCHECK)
    SCROLLINFO scroll{sizeof(SCROLLINFO), SIF_ALL, 0, 100, 0, 0, 0};  // a scroll bar's
    std::vector<HWND> children;  // in creation order: the tab order
};

Window* find(HWND window);
// Every live window in creation order (parents before their children).
const std::vector<HWND>& windowsInOrder();
const WindowClass* findClass(const char* name);
void forgetClasses();

// Every pixel of the image in one colour.
void fillImage(cairo_surface_t* image, COLORREF colour);
int widthOf(const RECT& rect);
int heightOf(const RECT& rect);
// Visible, and every ancestor visible too.
bool shown(const Window& window);
// Not greyed out (WS_DISABLED), nor any ancestor.
bool usable(const Window& window);
// A "button" of style BS_AUTOCHECKBOX.
bool isCheckBox(const Window& window);
bool isDescendant(HWND window, HWND ancestor);
// Needs painting: the whole client area, with erasing; controls too.
void invalidate(Window& window);
// Sends WM_DESTROY to the window, then its children, and frees them all.
void destroyWindow(HWND window);
// Frees every window without any message.
void destroyAllQuietly();
// A new client size: a new backing image (old contents kept) and a repaint.
void resizeClient(Window& window, const RECT& outer, const RECT& client);

// Focus and activation (user_focus.cpp).
extern HWND focus;
extern HWND active;
void activate(HWND window);
void forgetFocusOn(HWND window);

// Posted messages (user_posting.cpp): the one part of USER that other threads use.
void allowPosts(HWND window);   // the window exists
void forbidPosts(HWND window);  // the window is gone
bool takePosted(MSG* message);
void emptyPosted();

// The queue (user_messages.cpp).
// Input from the person: after posted messages, before paints.
void queueInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool shift = false, bool control = false);
// Shift as it was when the message being handled was queued.
extern bool shiftDown, controlDown;
// A top-level window the screen lost: destroyed with WM_DESTROY at the next
// fetch, before any message is returned.
void queueLoss(HWND window);
void emptyQueue();

// Timers (user_timers.cpp).
// The WM_TIMER of the timer that fell due first, if one has; it starts its next period.
bool nextTimerMessage(MSG* message);
// Until the first timer falls due, on backend::milliseconds(): 0 when one has, -1 with none.
std::int64_t millisecondsToNextTimer();
void killTimersOf(HWND window);

// The built-in controls (user_controls.cpp).
// A click on a button: a check box toggles, then the parent gets WM_COMMAND
// with BN_CLICKED, through the queue. A greyed-out button takes no click.
void clickButton(HWND button);
LRESULT CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK scrollBarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The 32 x 32 image of an icon from LoadIconA, or null (user_icon.cpp).
cairo_surface_t* iconImage(HICON icon);

// The core calls this before its first use of the backend.
void useBackend();

}  // namespace user
