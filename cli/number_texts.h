// Number texts made once and then looked up by the float's bits: a batch
// prints the same few dozen scores again and again, and formatting them was
// most of its work. A text is exactly what the formatter wrote, so the output
// does not change. The slot of a value is found through its upper 16 bits
// (sign, exponent and the top of the mantissa), which tell the scores apart;
// values that share them take turns in one slot, formatted again each time.
// Limits: texts of up to NumberTextCapacity - 1 bytes (the formats used here
// give at most 17); 255 slots, after which the last is shared.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

inline constexpr std::size_t NumberTextCapacity = 23;  // a slot of 32 bytes

struct NumberText {
    std::uint64_t key;     // the value's bits with bit 32 set; 0 in an empty slot
    unsigned char length;
    char text[NumberTextCapacity];
};

// Writes the value's text, snprintf-like: returns the length it needs.
using NumberFormatter = int (*)(float value, char* text, std::size_t capacity);

class NumberTexts {
public:
    explicit NumberTexts(NumberFormatter formatter) : format_(formatter) {}

    // The text of the value, formatted on its first use.
    const NumberText& of(float value) {
        std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
        const NumberText& slot = slots_[slotOfHigh_[bits >> 16]];
        return slot.key == keyOf(bits) ? slot : formatSlot(bits, value);
    }

private:
    static constexpr std::uint64_t keyOf(std::uint32_t bits) { return bits | std::uint64_t{1} << 32; }
    const NumberText& formatSlot(std::uint32_t bits, float value);

    NumberText slots_[256] = {};              // slot 0 stays empty
    unsigned char slotOfHigh_[1 << 16] = {};  // 0: no slot yet
    int slotsUsed_ = 1;
    NumberFormatter format_;
};

// Copies a text's whole array, whatever its length, and returns the end of
// the text (less `skip` bytes at its start): a fixed-size copy is a few
// moves, a sized one a call. Needs NumberTextCapacity bytes of room.
inline char* writeNumberText(char* at, const NumberText& number, std::size_t skip = 0) {
    std::memcpy(at, number.text + skip, NumberTextCapacity - skip);
    return at + number.length - skip;
}
