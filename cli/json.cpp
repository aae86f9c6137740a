// JSON strings for arbitrary bytes (cli/json.h).
#include "cli/json.h"

namespace {

// Which bytes need more than a copy, in a table: the check is one load per byte.
struct EscapeTable {
    bool needed[256];
};

constexpr EscapeTable buildEscapes() {
    EscapeTable table{};
    for (int byte = 0; byte < 256; ++byte) table.needed[byte] = byte < 0x20 || byte >= 0x7F || byte == '"' || byte == '\\';
    return table;
}

constexpr EscapeTable Escapes = buildEscapes();

// What a byte that starts a UTF-8 sequence allows: how many bytes follow, and
// the range of the first of them, which rules out overlong forms, surrogates
// and code points above U+10FFFF.
struct Lead {
    int following;
    unsigned char low, high;
};

constexpr Lead leadOf(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) return {1, 0x80, 0xBF};
    if (byte == 0xE0) return {2, 0xA0, 0xBF};
    if (byte == 0xED) return {2, 0x80, 0x9F};
    if (byte >= 0xE1 && byte <= 0xEF) return {2, 0x80, 0xBF};
    if (byte == 0xF0) return {3, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3) return {3, 0x80, 0xBF};
    if (byte == 0xF4) return {3, 0x80, 0x8F};
    return {0, 0, 0};
}

// How many bytes from `at` begin a well-formed sequence: all of it when whole.
std::size_t wellFormedPart(std::string_view bytes, std::size_t at, const Lead& lead) {
    if (lead.following == 0) return 0;
    const auto first = static_cast<unsigned char>(at + 1 < bytes.size() ? bytes[at + 1] : 0);
    if (first < lead.low || first > lead.high) return 1;
    std::size_t length = 2;
    while (length <= static_cast<std::size_t>(lead.following) && at + length < bytes.size() &&
           (static_cast<unsigned char>(bytes[at + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

// A byte of 0x80 or more: the whole sequence it starts, or U+FFFD for the
// ill-formed part (one per maximal part, as Unicode recommends). Returns
// how many bytes were taken.
std::size_t writeHighByte(char*& at, std::string_view bytes, std::size_t from) {
    const Lead lead = leadOf(static_cast<unsigned char>(bytes[from]));
    const std::size_t part = wellFormedPart(bytes, from, lead);
    if (part == static_cast<std::size_t>(lead.following) + 1) {
        for (std::size_t i = 0; i < part; ++i) *at++ = bytes[from + i];
        return part;
    }
    for (char c : {'\xEF', '\xBF', '\xBD'}) *at++ = c;
    return part > 0 ? part : 1;
}

}  // namespace

char* writeJsonString(char* at, std::string_view bytes) {
    static const char Hex[] = "0123456789abcdef";
    *at++ = '"';
    for (std::size_t i = 0; i < bytes.size();) {
        const char c = bytes[i];
        const auto byte = static_cast<unsigned char>(c);
        if (!Escapes.needed[byte]) {
            *at++ = c;
            ++i;
        } else if (byte >= 0x80) {
            i += writeHighByte(at, bytes, i);
        } else if (c == '"' || c == '\\') {
            *at++ = '\\';
            *at++ = c;
            ++i;
        } else {
            const char escape[6] = {'\\', 'u', '0', '0', Hex[byte >> 4], Hex[byte & 0xF]};
            for (char e : escape) *at++ = e;
            ++i;
        }
    }
    *at++ = '"';
    return at;
}

std::string jsonString(std::string_view bytes) {
    std::string quoted(jsonStringBound(bytes.size()), '\0');
    quoted.resize(static_cast<std::size_t>(writeJsonString(quoted.data(), bytes) - quoted.data()));
    return quoted;
}
