// The spectrograph display's state: one record for the process, with the
// names the display's routines use for its fields, and its reset. The display
// keeps only what it drew; what to draw it is handed by the shell.
#pragma once

// Where the 132 slots lie on the panel: what the arrangements, the spike plot
// and the identification share, set by drawpanel.
struct PanelGeometryRecord {
    float slotOriginX;  // x of slot 0
    float baselineY;    // the foot of the ratio scale
    float slotEndX;     // x of slot 131
    float slotPitch;    // 131 gaps between slot 0 and slot 131
};

struct DisplayRecord {
    // "note" or "chord": the arrangement drawn last; empty until the first one.
    char arrangementKeyword[6];
    PanelGeometryRecord PanelGeometry;
};

extern DisplayRecord Display;
extern char (&arrangementKeyword)[6];
extern PanelGeometryRecord& PanelGeometry;

// Back to the state at start: nothing drawn yet.
void resetDisplay();
