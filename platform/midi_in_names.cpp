// The names of the system's MIDI input devices (midi_in_names.h).
#include "platform/midi_in_names.h"

#include "platform/win32.h"

#include <regex>

namespace midiin {

std::string stableAlsaName(const std::string& listed) {
    static const std::regex numbered("(.*) (\\d+):\\d+");
    std::smatch parts;
    if (!std::regex_match(listed, parts, numbered)) return listed;
    if (parts[2] == "0" || listed.starts_with("Midi Through:")) return "";
    return parts[1];
}

std::string shortAlsaName(const std::string& stable) {
    const auto colon = stable.find(':');
    if (colon == std::string::npos) return stable;
    const std::string client = stable.substr(0, colon), port = stable.substr(colon + 1);
    return port.starts_with(client) ? port : stable;
}

std::string unusedName(const std::string& name, const std::set<std::string>& taken) {
    std::string unused = name.substr(0, MAXPNAMELEN - 1);
    for (int number = 2; taken.contains(unused); ++number)
        unused = (std::to_string(number) + "- " + name).substr(0, MAXPNAMELEN - 1);
    return unused;
}

}  // namespace midiin
