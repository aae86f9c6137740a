#include "cli/json.h"

char* writeJsonString(char* at, std::string_view bytes) {
    static const char Hex[] = "0123456789abcdef";
    *at++ = '"';
    for (char c : bytes) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            *at++ = '\\';
            *at++ = c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            const char escape[6] = {'\\', 'u', '0', '0', Hex[byte >> 4], Hex[byte & 0xF]};
            for (char e : escape) *at++ = e;
        } else {
            *at++ = c;
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
