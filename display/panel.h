// The spectrum panel with its bevelled frame and ratio scale, and the slot
// geometry that the arrangements, the spike plot and the identification share.
#pragma once

#include "display/state.h"

// Draws the panel and sets PanelGeometry. Leaves pen 4, a size-11 font, text
// colour 210,210,210 and background 50,140,140 selected.
void drawpanel();
