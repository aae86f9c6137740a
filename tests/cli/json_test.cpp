// JSON strings: escapes read back by an independent decoder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "cli/json.h"

namespace {

// An independent reader for the escapes the writer may use; fails the test
// on anything a JSON parser would reject.
std::string decodeJsonString(const std::string& quoted) {
    EXPECT_GE(quoted.size(), 2u);
    EXPECT_EQ(quoted.front(), '"');
    EXPECT_EQ(quoted.back(), '"');
    std::string bytes;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(quoted[i]);
        EXPECT_TRUE(c >= 0x20 && c != 0x7F) << "raw byte " << int(c) << " at " << i;
        if (c == '"') ADD_FAILURE() << "unescaped quote at " << i;
        if (c != '\\') {
            bytes += static_cast<char>(c);
            continue;
        }
        char kind = quoted.at(++i);
        if (kind == '"' || kind == '\\' || kind == '/') {
            bytes += kind;
        } else if (kind == 'u') {
            std::string hex = quoted.substr(i + 1, 4);
            long code = std::strtol(hex.c_str(), nullptr, 16);
            EXPECT_LT(code, 0x100) << hex;
            bytes += static_cast<char>(code);
            i += 4;
        } else {
            ADD_FAILURE() << "escape \\" << kind;
        }
    }
    return bytes;
}

TEST(JsonString, PlainTextStaysReadable) {
    EXPECT_EQ(jsonString("  C# E% G  "), "\"  C# E% G  \"");
    EXPECT_EQ(jsonString(""), "\"\"");
}

TEST(JsonString, EscapesQuotesBackslashesAndControls) {
    EXPECT_EQ(jsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(jsonString("\t\r\n"), "\"\\u0009\\u000d\\u000a\"");
}

TEST(JsonString, EveryAsciiByteSurvives) {
    std::string everyByte;
    for (int byte = 0; byte < 0x80; ++byte) everyByte += static_cast<char>(byte);
    EXPECT_EQ(decodeJsonString(jsonString(everyByte)), everyByte);
}

// UTF-8 stays as it is; what is not becomes U+FFFD, once per maximal
// ill-formed part (as Python's "replace" decoding does).
TEST(JsonString, KeepsUtf8AndReplacesTheRest) {
    const std::string R = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"c\xC3\xA9 e", "c\xC3\xA9 e"},                   // two bytes
        {"f\xE2\x99\xAF", "f\xE2\x99\xAF"},                // three
        {"\xF0\x9D\x84\x9E c", "\xF0\x9D\x84\x9E c"},       // four
        {"\xE9t\xE9", R + "t" + R},                     // Latin-1
        {"\xE2\x99 e", R + " e"},                       // cut short
        {"\xC0\xAF", R + R},                            // overlong
        {"\xED\xA0\x80", R + R + R},                    // a surrogate
        {"\xF4\x90\x80\x80", R + R + R + R},            // above U+10FFFF
        {"\x80\xFF", R + R},
    };
    for (const auto& [bytes, kept] : cases) EXPECT_EQ(jsonString(bytes), "\"" + kept + "\"") << bytes;
}

}  // namespace
