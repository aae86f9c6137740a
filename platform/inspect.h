// Core services behind the headless backend's test hooks (headless.h). The
// GTK backend and the program never need them.
#pragma once

#include "platform/displaylist.h"
#include "platform/win32.h"

#include <cstdint>
#include <vector>

namespace core {

// The next message as GetMessageA would fetch it (posted, then input, then
// paints, then timers), removed from the queue; false when none is ready. Never waits and
// never returns the quit message, which stays pending for GetMessageA.
bool nextMessage(MSG* message);
// When the timer that falls due first does so, on backend::milliseconds(); false with no timer.
bool nextTimerDue(std::uint64_t* due);
HWND focusedWindow();
// Destroy every window without sending messages, forget the registered
// classes, empty the queue, drop a pending quit and stop recording.
void reset();

void recordDrawing(bool on);
const std::vector<DrawRecord>& displayList(HDC dc);
void clearDisplayList(HDC dc);
int liveGdiObjects();

}  // namespace core
