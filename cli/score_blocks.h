// Score texts kept whole, per set of pitch classes: a batch meets the same
// note sets again and again, and the text of a set's scores (the JSON rows,
// or the best chord lines) comes out the same each time. A kept text is used
// only when its scores are bit for bit the ones at hand and it was made the
// same way, so keeping texts can never change the output.
// Limits: one text per set and kind of text; at most 4096 sets (12 bits).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis.h"

class ScoreBlocks {
public:
    // The text kept for these scores, made the way `variant` says, or null.
    const std::string* find(unsigned noteSet, const float* scores, int variant) const;
    void keep(unsigned noteSet, const float* scores, int variant, std::string_view text);

private:
    struct Block {
        float scores[ChordTypeCount * RootCount];
        int variant;
        std::string text;
    };
    std::vector<std::unique_ptr<Block>> blocks_ = std::vector<std::unique_ptr<Block>>(1u << PitchClassCount);
};

// The entry's pitch classes as a 12-bit set.
unsigned noteSetOf(const std::vector<int>& notes);
