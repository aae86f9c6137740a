// Test hooks of the headless backend: a virtual screen in memory and what a
// person would do to it. Only tests and off-screen tools include this.
#pragma once

#include "platform/seam/displaylist.h"
#include "platform/win32.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace headless {

// Before windows exist; default from TONVISOR_SCREEN=WxH, else 1024 x 768.
void setScreen(int width, int height);
// Default: the whole screen less a 40-pixel task bar at the bottom.
void setWorkArea(RECT area);
// Destroy every window, forget classes, empty the queue, close MIDI inputs and
// streams (between tests).
void reset();

// As a person types: appended to the control's text; a read-only edit keeps its own.
void typeText(HWND edit, const char* text);
// A real click on the button: it takes the focus, a check box toggles, and
// WM_COMMAND reaches its parent. A greyed-out button ignores it.
void clickButton(HWND button);
// Move the cursor there and press the left button.
void mouseDown(int screenX, int screenY);
// Move the cursor there and release the left button.
void mouseUp(int screenX, int screenY);
// A key press to the focused window, through the queue.
void pressKey(int virtualKey, bool shift, bool control = false);

// The mouse wheel turned by delta (WHEEL_DELTA a notch, positive away from
// the person) with the pointer at a screen point, Ctrl held or not: the
// top-level window there receives WM_MOUSEWHEEL.
void turnWheel(int screenX, int screenY, int delta, bool control);
// The person drags a scroll bar's thumb to a position: its parent receives
// WM_HSCROLL with SB_THUMBPOSITION.
void dragScrollBar(HWND scrollBar, int position);
// Files dropped on a top-level window; false (nothing happens) unless it
// accepts them (DragAcceptFiles).
bool dropFiles(HWND window, const std::vector<std::string>& paths);
// The next open dialog (GetOpenFileNameA) chooses this path at once; an
// empty path cancels it. A dialog with no answer queued is cancelled.
void answerOpenDialog(const std::string& path);
// The next save dialog (GetSaveFileNameA) chooses this path at once, without
// asking about a file there; an empty path cancels it, as does no answer.
void answerSaveDialog(const std::string& path);
// Every message box shown since reset(), as "caption: text"; the headless
// screen closes each at once with OK.
const std::vector<std::string>& messageBoxes();

// Fetch and dispatch like the program's loop (IsDialogMessageA on the active
// window, else TranslateMessage + DispatchMessageA) until nothing is queued, no
// window needs painting and no thread that the program started (CreateThread)
// is still running.
void runUntilIdle();
// Let this much virtual time pass with the program running: at each moment a
// timer or an event of a playing MIDI stream falls due, in order, the clock
// stops there, the stream's events play, and the queue runs as in
// runUntilIdle, WM_TIMER included. Nothing else moves the clock, so timers
// never fire in runUntilIdle or GetMessageA of their own accord.
void advanceClock(unsigned milliseconds);
// For a tool that runs the message loop in real time (until reset): timers
// fall due on the system's monotonic clock, and GetMessageA waits for them
// and for other threads' posts, never reporting a stall. advanceClock then
// moves nothing.
void useRealClock();
// For code that runs its own GetMessageA loop: queued actions run in order, one
// each time GetMessageA would otherwise wait, once every thread that the
// program started has ended and what it posted has been handled. With none left, GetMessageA
// reports the stall on stderr and returns as if WM_QUIT with code 3 had arrived.
void whenIdle(std::function<void()> action);

// Where a window's client area (or a control) lies on the screen.
RECT clientRect(HWND window);
HWND focusedWindow();

// MIDI input. From the first call on, the input devices are these, in this
// order, instead of the system's; a device left out of a later list is
// unplugged: inputs open on it stay open and receive nothing more. reset()
// closes every input without MM_MIM_CLOSE and lists no device.
void setMidiDevices(const std::vector<std::string>& names);
// One short message (1 to 3 bytes) from a listed device, as if it sent it now:
// every started input open on it posts MM_MIM_DATA to its window.
void sendMidi(const char* device, const std::vector<unsigned char>& bytes);

// Off by default and after reset(); on, every message midiOutShortMsg plays
// is logged with the virtual clock's time (milliseconds, message).
void recordMidiOut(bool on);
std::vector<std::pair<std::uint64_t, DWORD>> midiOutLog();

// Off by default; when on, every DC appends to its display list.
void recordDrawing(bool on);
const std::vector<DrawRecord>& displayList(HDC dc);
void clearDisplayList(HDC dc);
// Pens, fonts and brushes created and not yet deleted.
int liveGdiObjects();
// The screen: each visible top-level window's backing image at its client
// position, controls drawn simply on top.
bool savePng(const char* path);
// One top-level window's client area as savePng draws it, (0, 0) at its client
// origin: the picture of what the window itself shows. False for a control.
bool saveClientPng(HWND window, const char* path);

// Sound. The headless screen has no speakers: a synthesizer that midiOutOpen
// opens plays silently, and its sound comes out only here.
inline constexpr int AudioRate = 44100;
// The next frames the open synthesizer renders: stereo interleaved (left,
// right), AudioRate frames a second, full scale 1.0. Empty when none is open.
std::vector<float> pullAudio(int frames);
// Off by default and after reset(). On: midiOutOpen plays through an audio
// driver, as the real program does (TONVISOR_AUDIO_DRIVER, else pulseaudio,
// jack, alsa), for tests of that path; pullAudio then gives nothing.
void playAloud(bool on);

// Audio devices (waveIn*, waveOut*). From the first call on, the input and
// output devices are these, in this order (the first of each is the
// default), instead of the system's. A device left out of a later list is
// lost while in use: what is open on it is told so at once. reset() closes
// every input and output without messages and lists no device.
void setAudioDevices(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs);
// Samples as if the input device captured them now, one channel, full scale
// 1.0: every started input open on it gets them, at its own rate, on each
// of its channels.
void feedAudio(const char* device, const std::vector<float>& mono);
// The outputs open on the device play in step with the headless clock
// (advanceClock): everything they played since the last call, interleaved
// at the output's channel count and rate.
std::vector<float> takePlayedAudio(const char* device);

}  // namespace headless
