// Started by the MIDI output tests in an environment of their choosing: opens
// the synthesizer as the real program does (through an audio driver), plays a
// note, closes, and prints one line: "devices N open CODE: TEXT".
#include "platform/headless/headless.h"
#include "platform/win32.h"

#include <cstdio>

int main() {
    headless::playAloud(true);
    const UINT devices = midiOutGetNumDevs();
    HMIDIOUT synthesizer = nullptr;
    const MMRESULT result = midiOutOpen(&synthesizer, MIDI_MAPPER, 0, 0, CALLBACK_NULL);
    char text[MAXERRORLENGTH];
    midiOutGetErrorTextA(result, text, sizeof text);
    std::printf("devices %u open %u: %s\n", devices, result, text);
    if (result != MMSYSERR_NOERROR) return 0;
    const bool played = midiOutShortMsg(synthesizer, 0x5A3C90) == MMSYSERR_NOERROR;  // C4 on
    return played && midiOutReset(synthesizer) == MMSYSERR_NOERROR && midiOutClose(synthesizer) == MMSYSERR_NOERROR ? 0 : 1;
}
