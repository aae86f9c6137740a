// The spectrum panel with its bevelled frame and ratio scale, and the slot
// geometry that the arrangements, the spike plot and the identification share.
#pragma once

struct PanelGeometryRecord {
    float slotOriginX;  // x of slot 0
    float baselineY;    // the foot of the ratio scale
    float slotEndX;     // x of slot 131
    float slotPitch;    // 131 gaps between slot 0 and slot 131
};

extern PanelGeometryRecord PanelGeometry;

// Leaves pen 4, a size-11 font, text colour 210,210,210 and background 50,140,140.
void drawpanel();
