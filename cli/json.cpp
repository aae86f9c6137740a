// JSON strings for arbitrary bytes (cli/json.h).
#include "cli/json.h"

namespace {

// Which bytes need an escape, in a table: the check is one load per byte.
struct EscapeTable {
    bool needed[256];
};

constexpr EscapeTable buildEscapes() {
    EscapeTable table{};
    for (int byte = 0; byte < 256; ++byte) table.needed[byte] = byte < 0x20 || byte >= 0x7F || byte == '"' || byte == '\\';
    return table;
}

constexpr EscapeTable Escapes = buildEscapes();

}  // namespace

char* writeJsonString(char* at, std::string_view bytes) {
    static const char Hex[] = "0123456789abcdef";
    *at++ = '"';
    for (char c : bytes) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (!Escapes.needed[byte]) {
            *at++ = c;
        } else if (c == '"' || c == '\\') {
            *at++ = '\\';
            *at++ = c;
        } else {
            const char escape[6] = {'\\', 'u', '0', '0', Hex[byte >> 4], Hex[byte & 0xF]};
            for (char e : escape) *at++ = e;
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
