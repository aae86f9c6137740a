// Multimedia MIDI output: midiOutGetNumDevs, midiOutOpen, midiOutShortMsg,
// midiOutReset, midiOutClose and midiOutGetErrorTextA over one FluidSynth
// synthesizer (synth.h).
//
// The one device (0, also reached as MIDI_MAPPER) is the synthesizer: it exists
// while FluidSynth can be loaded and the soundfont read, whether or not it can
// be heard. The first call that asks loads FluidSynth (fluidsynth_library.h). midiOutOpen may take a while (the
// soundfont, then the audio driver, each bounded) and may be called on any
// thread; the other calls are quick. Every call is safe from any thread.
// With CALLBACK_WINDOW the window receives MM_MOM_CLOSE when the handle is
// closed and, beyond Windows, unasked when the synthesizer stops playing while
// open (its sound server stopped, its device went): posted from the driver's
// thread, after which nothing more is heard; the handle stays valid until
// midiOutClose. Limits: one open handle at a time (a second open gets
// MMSYSERR_ALLOCATED, as from a device that cannot be shared); CALLBACK_NULL
// and CALLBACK_WINDOW only, without MM_MOM_OPEN; channel messages only,
// without running status.
#include "platform/seam/backend.h"
#include "platform/seam/handles.h"
#include "platform/seam/core.h"
#include "platform/winmm/error_text.h"
#include "platform/winmm/midi_out.h"
#include "platform/drivers/fluidsynth/synth.h"
#include "platform/drivers/fluidsynth/fluidsynth_library.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>
#include <utility>

namespace {

struct MidiOutState {
    std::mutex lock;
    bool opening = false;  // an open is under way: the device is taken
    HMIDIOUT handle = nullptr;
    HWND window = nullptr;  // told of the close, with CALLBACK_WINDOW
    std::unique_ptr<synth::Synthesizer> synth;
    bool recording = false;  // every message played is logged with its time
    std::vector<core::TimedShortMessage> log;
};

// Never destroyed: an open may still be under way on another thread while the
// process exits.
MidiOutState& midiOut = *new MidiOutState;

bool soundSwitchedOff() { return backend::playsAloud() && synth::audioDrivers().empty(); }

// Only the one open under way (midiOut.opening) touches it.
struct SpareSynthesizer {
    std::unique_ptr<synth::Synthesizer> synth;
    std::string soundfont;
};

// A synthesizer that no driver would play is kept for the next open of the
// same soundfont: a program asks again every few seconds while its sound
// server is away, and the soundfont need not load each time.
SpareSynthesizer& spare = *new SpareSynthesizer;

std::unique_ptr<synth::Synthesizer> loadSynthesizer(const std::string& soundfont) {
    if (spare.synth && spare.soundfont == soundfont) return std::move(spare.synth);
    spare.synth.reset();
    return synth::load(soundfont);
}

std::unique_ptr<synth::Synthesizer> openSynthesizer(MMRESULT& result) {
    if (soundSwitchedOff()) {
        result = MMSYSERR_NODRIVER;
        return nullptr;
    }
    const std::string soundfont = synth::soundfontPath();
    std::unique_ptr<synth::Synthesizer> synth = loadSynthesizer(soundfont);
    result = MIDIERR_NODEVICE;
    if (!synth) return nullptr;
    result = MMSYSERR_NODRIVER;
    if (backend::playsAloud() && !synth::playAloud(synth, soundfont, synth::audioDrivers())) {
        spare = {std::move(synth), soundfont};
        return nullptr;
    }
    result = MMSYSERR_NOERROR;
    return synth;
}

// The synthesizer behind an open handle, or null; the caller holds the lock.
fluid_synth_t* synthOf(HMIDIOUT handle) {
    return handle && handle == midiOut.handle ? midiOut.synth->synth : nullptr;
}

std::string errorText(MMRESULT error) {
    switch (error) {
    case MMSYSERR_NOERROR: return "no error";
    case MMSYSERR_BADDEVICEID: return "no such MIDI output device";
    case MMSYSERR_ALLOCATED: return "the synthesizer is already open";
    case MMSYSERR_INVALHANDLE: return "not an open MIDI output handle";
    case MMSYSERR_NODRIVER: return synth::audioProblem();
    case MMSYSERR_INVALFLAG: return "only CALLBACK_NULL and CALLBACK_WINDOW are supported";
    case MMSYSERR_INVALPARAM: return "invalid parameter";
    case MIDIERR_NODEVICE:
        if (!synth::fluidSynthLoaded())
            return std::string("no synthesizer: cannot load FluidSynth (") + synth::FluidSynthLibraryName + ")";
        if (access(synth::soundfontPath().c_str(), F_OK) == 0 && !synth::isRegularFile(synth::soundfontPath()))
            return "no soundfont: " + synth::soundfontPath() +
                   " is not a regular file (TONVISOR_SOUNDFONT names an SF2 or SF3 file)";
        return "no soundfont: cannot load " + synth::soundfontPath() +
               " (TONVISOR_SOUNDFONT names another SF2 or SF3 file)";
    case MIDIERR_UNPREPARED: return "the buffer is not prepared";
    case MIDIERR_STILLPLAYING: return "a buffer is still queued";
    default: return "";
    }
}

}  // namespace

UINT WINAPI midiOutGetNumDevs(void) {
    return synth::fluidSynthLoaded() && access(synth::soundfontPath().c_str(), R_OK) == 0 ? 1 : 0;
}

MMRESULT WINAPI midiOutOpen(LPHMIDIOUT midiOutHandle, UINT deviceId, DWORD_PTR callback, DWORD_PTR, DWORD flags) {
    if (!midiOutHandle) return MMSYSERR_INVALPARAM;
    *midiOutHandle = nullptr;
    if (deviceId != MIDI_MAPPER && deviceId != 0) return MMSYSERR_BADDEVICEID;
    if (flags != CALLBACK_NULL && flags != CALLBACK_WINDOW) return MMSYSERR_INVALFLAG;
    HWND window = flags == CALLBACK_WINDOW ? reinterpret_cast<HWND>(callback) : nullptr;
    if (flags == CALLBACK_WINDOW && !IsWindow(window)) return MMSYSERR_INVALPARAM;
    {
        std::lock_guard<std::mutex> hold(midiOut.lock);
        if (midiOut.opening || midiOut.handle) return MMSYSERR_ALLOCATED;
        midiOut.opening = true;
    }
    MMRESULT result;
    std::unique_ptr<synth::Synthesizer> synth = openSynthesizer(result);
    std::lock_guard<std::mutex> hold(midiOut.lock);
    midiOut.opening = false;
    if (synth) {
        midiOut.synth = std::move(synth);
        midiOut.handle = *midiOutHandle = core::newHandle<HMIDIOUT>();
        midiOut.window = window;
        if (window && midiOut.synth->driver)
            synth::watchDriver(*midiOut.synth, [window, handle = midiOut.handle] {
                PostMessageA(window, MM_MOM_CLOSE, reinterpret_cast<WPARAM>(handle), 0);
            });
    }
    return result;
}

namespace {

// The caller holds the lock.
bool playAndLog(fluid_synth_t* synth, DWORD message) {
    // Logged when the call came, before the synthesizer's own work on it.
    const std::uint64_t called = backend::milliseconds();
    if (!synth::play(synth, message)) return false;
    if (midiOut.recording) midiOut.log.push_back(core::TimedShortMessage{called, message});
    return true;
}

}  // namespace

MMRESULT WINAPI midiOutShortMsg(HMIDIOUT midiOutHandle, DWORD message) {
    std::lock_guard<std::mutex> hold(midiOut.lock);
    fluid_synth_t* synth = synthOf(midiOutHandle);
    if (!synth) return MMSYSERR_INVALHANDLE;
    return playAndLog(synth, message) ? MMSYSERR_NOERROR : MMSYSERR_INVALPARAM;
}

bool winmm::playOnSynthesizer(DWORD message) {
    std::lock_guard<std::mutex> hold(midiOut.lock);
    return midiOut.synth && playAndLog(midiOut.synth->synth, message);
}

bool winmm::synthesizerClock(unsigned* milliseconds) {
    std::lock_guard<std::mutex> hold(midiOut.lock);
    return midiOut.synth && synth::renderedClock(*midiOut.synth, milliseconds);
}

bool winmm::playOnSynthesizerAt(DWORD message, unsigned at) {
    std::lock_guard<std::mutex> hold(midiOut.lock);
    if (!midiOut.synth || !synth::playAt(*midiOut.synth, message, at)) return false;
    if (midiOut.recording) midiOut.log.push_back(core::TimedShortMessage{backend::milliseconds(), message});
    return true;
}

void winmm::dropTimedMessages() {
    std::lock_guard<std::mutex> hold(midiOut.lock);
    if (midiOut.synth) synth::dropTimed(*midiOut.synth);
}

void core::recordMidiOut(bool on) {
    std::lock_guard<std::mutex> hold(midiOut.lock);
    midiOut.recording = on;
    midiOut.log.clear();
}

std::vector<core::TimedShortMessage> core::midiOutLog() {
    std::lock_guard<std::mutex> hold(midiOut.lock);
    return midiOut.log;
}

MMRESULT WINAPI midiOutReset(HMIDIOUT midiOutHandle) {
    std::lock_guard<std::mutex> hold(midiOut.lock);
    fluid_synth_t* synth = synthOf(midiOutHandle);
    if (!synth) return MMSYSERR_INVALHANDLE;
    synth::fluid().fluid_synth_all_notes_off(synth, -1);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiOutClose(HMIDIOUT midiOutHandle) {
    std::unique_ptr<synth::Synthesizer> closing;
    HWND window;
    {
        std::lock_guard<std::mutex> hold(midiOut.lock);
        if (!synthOf(midiOutHandle)) return MMSYSERR_INVALHANDLE;
        closing = std::move(midiOut.synth);
        midiOut.handle = nullptr;
        window = std::exchange(midiOut.window, nullptr);
    }
    closing.reset();  // the driver stops as it goes: silence at once
    if (window) PostMessageA(window, MM_MOM_CLOSE, reinterpret_cast<WPARAM>(midiOutHandle), 0);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiOutGetErrorTextA(MMRESULT error, LPSTR text, UINT size) {
    return winmm::copyErrorText(errorText(error), text, size);
}

namespace core {

bool renderSynthesizer(float* interleaved, int frames) {
    std::lock_guard<std::mutex> hold(midiOut.lock);
    if (!midiOut.synth || midiOut.synth->driver) return false;
    synth::fluid().fluid_synth_write_float(midiOut.synth->synth, frames, interleaved, 0, 2, interleaved, 1, 2);
    return true;
}

}  // namespace core
