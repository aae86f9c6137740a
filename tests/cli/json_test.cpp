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
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "raw byte " << int(c) << " at " << i;
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

TEST(JsonString, EveryByteSurvivesAsValidAscii) {
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    std::string quoted = jsonString(everyByte);
    EXPECT_EQ(decodeJsonString(quoted), everyByte);
    EXPECT_NE(quoted.find("\\u00e9"), std::string::npos);  // bytes, not UTF-8 sequences
}

}  // namespace
