// The multimedia calls' error texts (midiOutGetErrorTextA,
// waveOutGetErrorTextA): a message copied into the caller's buffer, cut to fit.
#pragma once

#include "platform/win32.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace winmm {

// MMSYSERR_BADERRNUM for an error that has no message.
inline MMRESULT copyErrorText(const std::string& message, LPSTR text, UINT size) {
    if (!text || size == 0) return MMSYSERR_INVALPARAM;
    text[0] = '\0';
    if (message.empty()) return MMSYSERR_BADERRNUM;
    const std::size_t length = std::min<std::size_t>(message.size(), size - 1);
    std::memcpy(text, message.data(), length);
    text[length] = '\0';
    return MMSYSERR_NOERROR;
}

}  // namespace winmm
