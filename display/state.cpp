// The display's one record and the names into it.
#include "display/state.h"

DisplayRecord Display = {};
char (&arrangementKeyword)[6] = Display.arrangementKeyword;
PanelGeometryRecord& PanelGeometry = Display.PanelGeometry;

void resetDisplay() {
    Display = DisplayRecord{};
}
