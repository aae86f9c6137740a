// A text split at its line feeds, as the tests read the tool's output.
#pragma once

#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) result.push_back(line);
    return result;
}
