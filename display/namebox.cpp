// The name band inside the name box, cleared before a new name and by a new entry.
#include "display/namebox.h"

#include "canvas/canvas.h"

void clearNameBand() {
    SelectObject(hpc, hPen[5]);
    for (float y = 31.0f; y <= 33.0f; y += 0.5f) {
        plot(34.0f, y, 3);
        plot(60.0f, y, 4);
    }
}
