// Number texts (number_texts.h): a slot formatted the first time its float is
// met, found again by the float's bits.
#include "cli/number_texts.h"

#include <algorithm>

const NumberText& NumberTexts::formatSlot(std::uint32_t bits, float value) {
    unsigned char& slotIndex = slotOfHigh_[bits >> 16];
    if (slotIndex == 0) slotIndex = static_cast<unsigned char>(std::min(slotsUsed_++, 255));
    NumberText& slot = slots_[slotIndex];
    slot.key = keyOf(bits);
    int length = format_(value, slot.text, NumberTextCapacity);
    // Cut to what the slot holds; the formats in use never come near it.
    slot.length = static_cast<unsigned char>(std::clamp(length, 0, static_cast<int>(NumberTextCapacity) - 1));
    return slot;
}
