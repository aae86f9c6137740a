// The two groupings of the 132 slots: by key (12 roots x 11 types) and by
// chord (11 types x 12 roots), with everything on and around the panel that
// depends on the grouping. Both leave the colour pen of the last legend entry,
// a size-10 font, text colour 210,210,210 and background 50,140,140 selected.
#pragma once

#include "display/state.h"

// Each sets arrangementKeyword.
void drawKeyArrangement();
void drawChordArrangement();
