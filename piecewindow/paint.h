// The piece window's picture: the row labels, the strip of segment names, the
// spectrogram blitted from its bitmap, the bar numbers and the cursor. Drawn
// whole at every change; the bitmap is drawn again only when the zoom or the
// arrangement changed.
#pragma once

#include "platform/win32.h"

void paintPieceView(HDC dc);
