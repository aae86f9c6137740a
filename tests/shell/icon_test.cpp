// The icon drawn for the program reaches the window class as resource 123.
#include "platform/win32.h"

#include <gtest/gtest.h>

namespace {

TEST(Icon, ResourceLoadsAsThe32By32Icon) {
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(123)), nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(124)), nullptr);
}

}  // namespace
