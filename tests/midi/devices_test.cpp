// Looking for keyboards: what a scan closes and opens, by name.
#include "midi/devices.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Names {
    DeviceName list[MaxKeyboards + 2];
    int count = 0;
    Names(std::initializer_list<const char*> names) {
        for (const char* name : names) std::strcpy(list[count++], name);
    }
};

DeviceScan plan(const Names& open, const Names& present) {
    return planDeviceScan(open.list, open.count, present.list, present.count);
}

TEST(DeviceScanning, ClosesWhatWentAndOpensWhatCame) {
    struct Case {
        const char* what;
        Names open, present;
        std::vector<int> close;
        std::vector<UINT> opened;
    };
    const Case cases[] = {
        {"nothing changed", {"Keys", "Pads"}, {"Pads", "Keys"}, {}, {}},
        {"one gone, one new", {"Keys", "Pads"}, {"Pads", "Synth"}, {0}, {1}},
        {"back under its name", {}, {"Synth", "Keys"}, {}, {0, 1}},
        {"all gone", {"Keys", "Pads"}, {}, {0, 1}, {}},
        {"one name twice", {}, {"Keys", "Keys"}, {}, {0}},
    };
    for (const Case& scan : cases) {
        const DeviceScan planned = plan(scan.open, scan.present);
        EXPECT_EQ(std::vector<int>(planned.close, planned.close + planned.closeCount), scan.close) << scan.what;
        EXPECT_EQ(std::vector<UINT>(planned.open, planned.open + planned.openCount), scan.opened) << scan.what;
    }
}

TEST(DeviceScanning, OpensNoMoreThanThereArePlaces) {
    Names open{}, present{};
    for (; present.count < MaxKeyboards + 2; ++present.count)
        std::snprintf(present.list[present.count], MAXPNAMELEN, "Keys %d", present.count);
    for (; open.count < 2; ++open.count) std::strcpy(open.list[open.count], present.list[open.count]);
    const DeviceScan planned = plan(open, present);
    EXPECT_EQ(planned.closeCount, 0);
    EXPECT_EQ(planned.openCount, MaxKeyboards - 2);
    EXPECT_EQ(planned.open[0], 2u);
}

}  // namespace
