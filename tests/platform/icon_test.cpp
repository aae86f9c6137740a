// LoadIconA over the embedded resources: this test program embeds its own.
#include "platform/seam/resources.h"
#include "platform/user32/user_state.h"
#include "tests/support/pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void putWord(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A 32 x 32 icon of 16 colours: black, a red top-left pixel, a blue
// bottom-right one, and a transparent pixel right of the red one.
std::vector<unsigned char> makeIcon() {
    constexpr std::size_t header = 6 + 16, info = 40, palette = 16 * 4, colours = 16 * 32, mask = 4 * 32;
    std::vector<unsigned char> icon(header + info + palette + colours + mask, 0);
    putWord(icon, 2, 1, 2);   // an icon
    putWord(icon, 4, 1, 2);   // one image
    icon[6] = icon[7] = 32;
    icon[8] = 16;
    putWord(icon, 14, static_cast<std::uint32_t>(icon.size() - header), 4);
    putWord(icon, 18, header, 4);
    const std::size_t image = header;
    putWord(icon, image, 40, 4);
    putWord(icon, image + 4, 32, 4);
    putWord(icon, image + 8, 64, 4);  // colour rows and mask rows
    putWord(icon, image + 12, 1, 2);
    putWord(icon, image + 14, 4, 2);
    const std::size_t table = image + info;
    icon[table + 4 + 2] = 255;  // colour 1: red (stored blue, green, red)
    icon[table + 8 + 0] = 255;  // colour 2: blue
    const std::size_t pixels = table + palette;
    icon[pixels + 31 * 16] = 0x10;      // top row (stored last), first pixel: colour 1
    icon[pixels + 0 * 16 + 15] = 0x02;  // bottom row, last pixel: colour 2
    icon[pixels + colours + 31 * 4] = 0x40;  // top row, second pixel: transparent
    return icon;
}

const std::vector<unsigned char> goodIcon = makeIcon();
const std::vector<unsigned char> cutIcon(goodIcon.begin(), goodIcon.begin() + 100);
const EmbeddedResource table[] = {
    {123, goodIcon.data(), static_cast<unsigned>(goodIcon.size())},
    {124, cutIcon.data(), static_cast<unsigned>(cutIcon.size())},
};

std::uint32_t iconPixel(HICON icon, int x, int y) {
    return storedPixel(user::iconImage(icon), x, y);
}

TEST(Icon, TheEmbeddedIconDecodesWithItsMask) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(123));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(123)), icon);  // shared
    EXPECT_EQ(iconPixel(icon, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(iconPixel(icon, 1, 0), 0u);
    EXPECT_EQ(iconPixel(icon, 31, 31), 0xFF0000FFu);
    EXPECT_EQ(iconPixel(icon, 5, 5), 0xFF000000u);
}

TEST(Icon, DamagedMissingOrForeignResourcesGiveNoIcon) {
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(124)), nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999)), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(123)), nullptr);
}

}  // namespace

const EmbeddedResource* embeddedResources = table;
int embeddedResourceCount = 2;
