// The Win32 core's services to the backends (platform/gtk, platform/headless):
// how a screen reports what the person does, the frame round a top-level window, and the inspection behind the headless
// backend's test hooks. The core implements them; the program never includes
// this file. What a backend implements for the core is platform/seam/backend.h.
//
// Rules:
// - The reports only queue messages and update state; they never call a
//   window procedure, so a backend may call them from inside its own event
//   dispatch at any time.
// - A change the core asks for (backend::setWindowText, setFocus, moveWindow)
//   must not be reported back as if the person had made it.
// - Coordinates: top-level windows in screen pixels; mouse points in the
//   window's client pixels.
#pragma once

#include "platform/seam/displaylist.h"
#include "platform/win32.h"

#include <cairo.h>
#include <cstdint>
#include <vector>

namespace core {

// The frame the core puts round a top-level window's client area: the outer
// rectangle is the client area and this much more on each side.
constexpr int frameLeft = 4;
constexpr int frameRight = 4;
constexpr int frameTop = 20;
constexpr int frameBottom = 4;

// ---- Reports from the screen ----

// The left button went down / up at a point of the window's client area
// (a top-level window; presses on controls are the backend's own business).
void mousePressed(HWND window, int x, int y);
void mouseReleased(HWND window, int x, int y);
// A button was clicked: a check box toggles (the core calls backend::setCheck),
// then its parent receives WM_COMMAND with the button's identifier and
// BN_CLICKED. Ignored for a greyed-out button.
void buttonClicked(HWND button);
// The person changed an edit control's contents; text is the whole new contents.
void editChanged(HWND edit, const char* text);
// The mouse wheel turned over a top-level window by delta (WHEEL_DELTA a
// notch, positive away from the person), with the Ctrl key held or not, the
// pointer at a screen point: the window receives WM_MOUSEWHEEL.
void wheelTurned(HWND window, int delta, bool control, int screenX, int screenY);
// A navigation key (VK_TAB, VK_RETURN, VK_ESCAPE; VK_LEFT, VK_RIGHT, VK_SPACE,
// VK_ADD, VK_SUBTRACT, and S with Ctrl, while a top-level window itself has
// the focus) was pressed while this window or control had focus; it reaches
// the program as WM_KEYDOWN through the queue, Shift and Ctrl as GetKeyState
// reports them while it is handled.
// Ordinary typing in an edit control is reported with editChanged instead.
void keyPressed(HWND window, int virtualKey, bool shift, bool control = false);
// The person moved keyboard focus to this window or control (by a click, say).
void focusChanged(HWND window);
// The person dragged a scroll bar's thumb to this position: its parent
// receives WM_HSCROLL with SB_THUMBPOSITION.
void scrollBarMoved(HWND scrollBar, int position);
// The person asked to close a top-level window: the program receives WM_CLOSE.
void closeRequested(HWND window);
// A top-level window and its controls vanished from the screen without a close
// request (another client destroyed it). The backend has already forgotten
// them; the next GetMessageA destroys the window as DestroyWindow does, so the
// program receives WM_DESTROY.
void windowLost(HWND window);
// The window manager moved or resized a top-level window (both in screen coordinates).
// A new client size gives the window a new backing image and a repaint.
void windowMoved(HWND window, const RECT& outer, const RECT& client);

// ---- Messages from other threads ----

// Sources that post messages from threads of their own (an open MIDI input,
// a synthesizer opening in the background) announce themselves while they
// may: a backend with no events of its own (headless) then waits for their
// posts where it would otherwise report a stall. Safe on any thread.
void otherThreadPosterOpened();
void otherThreadPosterClosed();
bool otherThreadsMayPost();
// Whether a thread that the program started with CreateThread is still
// running; its end calls backend::wake. Safe on any thread.
bool programThreadsRunning();

// ---- What a backend plays ----

// The next frames of the open synthesizer that plays silently, stereo
// interleaved (left, right) at 44.1 kHz; false when there is none.
bool renderSynthesizer(float* interleaved, int frames);
// On the virtual clock (backend::clockIsVirtual): the moment on
// backend::milliseconds() when the next event of a playing MIDI stream falls
// due (false when none will), and playing every event due by now.
bool nextMidiStreamEventDue(std::uint64_t* due);
void playMidiStreams();
// Every open MIDI stream closed, as midiStreamClose does (between tests).
void closeMidiStreams();

// ---- Inspection, for the headless backend's test hooks ----

// The next message as GetMessageA would fetch it (posted, then input, then
// paints, then timers), removed from the queue; false when none is ready. Never waits and
// never returns the quit message, which stays pending for GetMessageA.
bool nextMessage(MSG* message);
// When the timer that falls due first does so, on backend::milliseconds(); false with no timer.
bool nextTimerDue(std::uint64_t* due);
HWND focusedWindow();
// A top-level window's backing image, as last handed to backend::present.
cairo_surface_t* backingImage(HWND window);
// Destroy every window without sending messages, forget the registered
// classes, empty the queue, drop a pending quit and stop recording.
void reset();

// Off at start; on, every message midiOutShortMsg plays is logged with the
// time on backend::milliseconds(); switching clears the log.
struct TimedShortMessage {
    std::uint64_t milliseconds;
    DWORD message;
};
void recordMidiOut(bool on);
std::vector<TimedShortMessage> midiOutLog();

void recordDrawing(bool on);
const std::vector<DrawRecord>& displayList(HDC dc);
void clearDisplayList(HDC dc);
int liveGdiObjects();

}  // namespace core
