// Started by the sound tests in an environment of their choosing.
//   sound_probe        opens the synthesizer as the real program does
//                      (through an audio driver), plays a note, closes, and
//                      prints one line: "devices N open CODE: TEXT".
//   sound_probe wave   opens the default audio input and output, 16-bit mono
//                      at 22,050 Hz, and prints "inputs N open CODE outputs M open CODE".
#include "platform/headless/headless.h"
#include "platform/win32.h"

#include <cstdio>
#include <cstring>

namespace {

int probeWave() {
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    const UINT inputs = waveInGetNumDevs();
    HWAVEIN input = nullptr;
    const MMRESULT inOpened = waveInOpen(&input, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
    const UINT outputs = waveOutGetNumDevs();
    HWAVEOUT output = nullptr;
    const MMRESULT outOpened = waveOutOpen(&output, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
    std::printf("inputs %u open %u outputs %u open %u\n", inputs, inOpened, outputs, outOpened);
    const bool closed = (!input || waveInClose(input) == MMSYSERR_NOERROR) &&
                        (!output || waveOutClose(output) == MMSYSERR_NOERROR);
    return closed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "wave") == 0) return probeWave();
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
