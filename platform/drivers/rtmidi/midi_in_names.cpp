// The names of the system's MIDI input devices (midi_in_names.h).
#include "platform/drivers/rtmidi/midi_in_names.h"

#include "platform/win32.h"

namespace midiin {

namespace {

bool allDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string stableAlsaName(const std::string& listed) {
    const auto space = listed.rfind(' ');
    const auto colon = listed.rfind(':');
    if (space == std::string::npos || colon == std::string::npos || colon < space) return listed;
    const std::string client = listed.substr(space + 1, colon - space - 1), port = listed.substr(colon + 1);
    if (!allDigits(client) || !allDigits(port)) return listed;
    if (client == "0" || listed.starts_with("Midi Through:")) return "";
    return listed.substr(0, space);
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
