// The sound's MIDI messages: program change, note-on, note-off, all notes off
// and all sound off, sent as short messages (status, then two data bytes, low
// byte first); and the open's thread procedure.
#include "midi/sound.h"

SoundState Sound = {};

namespace {

constexpr int NoteOff = 0x80, NoteOn = 0x90, ControlChange = 0xB0, ProgramChange = 0xC0;
constexpr int AllSoundOff = 120, AllNotesOff = 123;

void sendShort(HMIDIOUT synthesizer, int status, int first, int second) {
    midiOutShortMsg(synthesizer, static_cast<DWORD>((status | SoundChannel) | first << 8 | second << 16));
}

}  // namespace

MMRESULT openSynthesizer(HMIDIOUT* synthesizer, HWND window) {
    *synthesizer = nullptr;
    if (midiOutGetNumDevs() == 0) return MIDIERR_NODEVICE;
    MMRESULT result = window ? midiOutOpen(synthesizer, MIDI_MAPPER, reinterpret_cast<DWORD_PTR>(window), 0,
                                           CALLBACK_WINDOW)
                             : midiOutOpen(synthesizer, MIDI_MAPPER, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        *synthesizer = nullptr;
        return result;
    }
    sendShort(*synthesizer, ProgramChange, PianoProgram, 0);
    return MMSYSERR_NOERROR;
}

// The synthesizer goes with the message, or is closed when no window is left to take it.
DWORD WINAPI openSynthesizerFor(LPVOID request) {
    const SynthesizerRequest asked = *static_cast<const SynthesizerRequest*>(request);
    HMIDIOUT synthesizer;
    const MMRESULT result = openSynthesizer(&synthesizer, asked.window);
    const auto handle = reinterpret_cast<LPARAM>(synthesizer);
    if (!PostMessageA(asked.window, asked.openedMessage, result, handle) && synthesizer)
        midiOutClose(synthesizer);
    return 0;
}

MMRESULT takeSynthesizer(WPARAM wParam, LPARAM lParam) {
    Sound.synthesizer = reinterpret_cast<HMIDIOUT>(lParam);
    return static_cast<MMRESULT>(wParam);
}

void soundVoicing(const Voicing& voicing) {
    if (!Sound.synthesizer) return;
    sendShort(Sound.synthesizer, ControlChange, AllNotesOff, 0);
    for (int i = 0; i < voicing.count; ++i) sendShort(Sound.synthesizer, NoteOn, voicing.keys[i], SoundVelocity);
    Sound.sounding = voicing;
}

void releaseVoicing() {
    if (!Sound.synthesizer) return;
    for (int i = 0; i < Sound.sounding.count; ++i) sendShort(Sound.synthesizer, NoteOff, Sound.sounding.keys[i], 0);
    Sound.sounding.count = 0;
}

void silenceSound() {
    if (!Sound.synthesizer) return;
    sendShort(Sound.synthesizer, ControlChange, AllSoundOff, 0);
    Sound.sounding.count = 0;
}

void closeSound() {
    if (!Sound.synthesizer) return;
    midiOutReset(Sound.synthesizer);
    midiOutClose(Sound.synthesizer);
    Sound = {};
}

bool synthesizerLost(WPARAM synthesizer) {
    if (!Sound.synthesizer || reinterpret_cast<HMIDIOUT>(synthesizer) != Sound.synthesizer) return false;
    closeSound();
    return true;
}
