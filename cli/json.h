// JSON text for arbitrary bytes.
#pragma once

#include <string>
#include <string_view>

// A quoted JSON string. Bytes are not assumed to be UTF-8: control
// characters and every byte above 127 are written as \u00XX, so the
// result is valid JSON (and plain ASCII) whatever the input.
std::string jsonString(std::string_view bytes);
