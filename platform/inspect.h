// Core services behind the headless backend's test hooks (headless.h). The
// GTK backend and the program never need them.
#pragma once

#include "platform/displaylist.h"
#include "platform/win32.h"

#include <vector>

namespace core {

// The next message as GetMessageA would fetch it (posted, then input, then
// paints), removed from the queue; false when none is ready. Never waits and
// never returns the quit message, which stays pending for GetMessageA.
bool nextMessage(MSG* message);
HWND focusedWindow();
// Destroy every window without sending messages, forget the registered
// classes, empty the queue, drop a pending quit and stop recording.
void reset();

void recordDrawing(bool on);
const std::vector<DrawRecord>& displayList(HDC dc);
void clearDisplayList(HDC dc);
int liveGdiObjects();

// The next frames of the open synthesizer that plays silently, stereo
// interleaved (left, right) at 44.1 kHz; false when there is none.
bool renderSynthesizer(float* interleaved, int frames);

}  // namespace core
