// Looking for MIDI keyboards (devices.h): the decision, by name.
#include "midi/devices.h"

#include <cstring>

namespace {

bool listed(const char* name, const DeviceName* names, int count) {
    for (int i = 0; i < count; ++i)
        if (std::strcmp(names[i], name) == 0) return true;
    return false;
}

}  // namespace

DeviceScan planDeviceScan(const DeviceName* openNames, int openCount, const DeviceName* presentNames,
                          int presentCount) {
    DeviceScan scan{};
    for (int place = 0; place < openCount; ++place)
        if (!listed(openNames[place], presentNames, presentCount)) scan.close[scan.closeCount++] = place;
    const int stayingOpen = openCount - scan.closeCount;
    for (int id = 0; id < presentCount && stayingOpen + scan.openCount < MaxKeyboards; ++id)
        if (!listed(presentNames[id], openNames, openCount) && !listed(presentNames[id], presentNames, id))
            scan.open[scan.openCount++] = static_cast<UINT>(id);
    return scan;
}
