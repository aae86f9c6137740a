// Texts a report keeps and reuses: number texts are the formatter's own,
// whatever the values and however they share slots, and read back to the
// same float; a kept score block serves only the very scores it was made for.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "cli/number_texts.h"
#include "cli/score_blocks.h"

namespace {

int formatShortest(float value, char* text, std::size_t capacity) {
    return std::snprintf(text, capacity, "%.9g", static_cast<double>(value));
}

std::vector<std::uint32_t> testValues() {
    // Zero both ways, the smallest and largest, and two that share a slot.
    std::vector<std::uint32_t> bits = {0, 0x80000000u, 1, 0x7F7FFFFFu, 0x3F800000u, 0x3F800001u, 0x3F800000u};
    for (int divisor = 1; divisor <= 5; ++divisor)
        for (int matches = 0; matches <= divisor; ++matches) {
            float ratio = static_cast<float>(matches) / static_cast<float>(divisor);
            float score = 2.0f * ratio * ratio;
            bits.push_back(std::bit_cast<std::uint32_t>(score));
        }
    std::mt19937 random(20240613);  // far more upper halves than there are slots
    for (int i = 0; i < 3000; ++i) bits.push_back(static_cast<std::uint32_t>(random()));
    return bits;
}

TEST(NumberTexts, AreTheFormattersTextsAndReadBackExactly) {
    NumberTexts texts(formatShortest);
    std::vector<std::uint32_t> values = testValues();
    for (int round = 0; round < 2; ++round)  // the second round finds most texts made
        for (std::uint32_t bits : values) {
            float value = std::bit_cast<float>(bits);
            if (std::isnan(value)) continue;
            const NumberText& number = texts.of(value);
            std::string text(number.text, number.length);
            char expected[32];
            std::snprintf(expected, sizeof expected, "%.9g", static_cast<double>(value));
            ASSERT_EQ(text, expected) << std::hex << bits;
            ASSERT_EQ(std::bit_cast<std::uint32_t>(std::strtof(text.c_str(), nullptr)), bits) << text;
        }
}

TEST(ScoreBlocks, ServeOnlyTheSameScoresMadeTheSameWay) {
    ScoreBlocks blocks;
    float scores[ChordTypeCount * RootCount] = {};
    scores[7] = 2.0f;
    blocks.keep(0b10010001, scores, 5, "kept");
    ASSERT_NE(blocks.find(0b10010001, scores, 5), nullptr);
    EXPECT_EQ(*blocks.find(0b10010001, scores, 5), "kept");
    EXPECT_EQ(blocks.find(0b10010001, scores, 3), nullptr);
    EXPECT_EQ(blocks.find(0b10010011, scores, 5), nullptr);
    scores[131] = 0.125f;
    EXPECT_EQ(blocks.find(0b10010001, scores, 5), nullptr);
}

}  // namespace
