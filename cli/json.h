// JSON text for arbitrary bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A quoted JSON string. Bytes are not assumed to be UTF-8: control
// characters and every byte above 127 are written as \u00XX, so the
// result is valid JSON (and plain ASCII) whatever the input.
std::string jsonString(std::string_view bytes);

// The most that writeJsonString writes for that many bytes.
constexpr std::size_t jsonStringBound(std::size_t bytes) { return 6 * bytes + 2; }

// The same written at `at`; returns the end.
char* writeJsonString(char* at, std::string_view bytes);
