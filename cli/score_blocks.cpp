// Kept score texts (score_blocks.h): one block per set of pitch classes, used
// again only while the scores and the variant are the same.
#include "cli/score_blocks.h"

#include <cstring>

const std::string* ScoreBlocks::find(unsigned noteSet, const float* scores, int variant) const {
    const Block* block = blocks_[noteSet].get();
    if (block == nullptr || block->variant != variant || std::memcmp(block->scores, scores, sizeof block->scores) != 0)
        return nullptr;
    return &block->text;
}

void ScoreBlocks::keep(unsigned noteSet, const float* scores, int variant, std::string_view text) {
    std::unique_ptr<Block>& block = blocks_[noteSet];
    if (block == nullptr) block = std::make_unique<Block>();
    std::memcpy(block->scores, scores, sizeof block->scores);
    block->variant = variant;
    block->text.assign(text);
}

unsigned noteSetOf(const std::vector<int>& notes) {
    unsigned set = 0;
    for (int pitch : notes) set |= 1u << pitch;
    return set;
}
