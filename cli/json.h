// JSON text for arbitrary bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A quoted JSON string, valid UTF-8 whatever the bytes: UTF-8 sequences are
// kept as they are, and what is not UTF-8 becomes U+FFFD, once for each
// maximal ill-formed part. Control characters and DEL are written as \u00XX.
std::string jsonString(std::string_view bytes);

// The most that writeJsonString writes for that many bytes (U+FFFD is three).
constexpr std::size_t jsonStringBound(std::size_t bytes) { return 6 * bytes + 2; }

// The same written at `at`; returns the end.
char* writeJsonString(char* at, std::string_view bytes);
