// The MIDI-in calls of winmm: the device list, opening with CALLBACK_WINDOW,
// start, stop, reset and close.
//
// Devices come from a midiin::Devices (midi_in_devices.h). A device id is a
// place in the list that midiInGetNumDevs last took, as on Windows, where ids
// hold until the devices change. A started input posts MM_MIM_DATA to its
// window from whichever thread the device delivers on; everything else runs on
// the program's thread. Limits: short messages only (no midiInAddBuffer, so
// system exclusive is never delivered); CALLBACK_WINDOW and CALLBACK_NULL only;
// a device is open at most once at a time.
//
// Beyond Windows: an input whose device is lost while open (a keyboard that
// quits, even one that comes straight back under its name; its server
// stopping) delivers nothing more and posts MM_MIM_CLOSE to its window
// unasked, from whichever thread noticed. The handle stays valid until
// midiInClose, which posts MM_MIM_CLOSE once more, as for any input.
#include "platform/seam/core.h"
#include "platform/seam/handles.h"
#include "platform/seam/midi_in_devices.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>

namespace {

struct Input {
    HMIDIIN handle = nullptr;
    HWND window = nullptr;  // nullptr with CALLBACK_NULL
    std::string device;
    bool otherThread = false;
    std::atomic<bool> started{false};
    std::atomic<bool> lost{false};
    std::unique_ptr<midiin::Port> port;  // declared last: closed before the rest goes
};

struct MidiInState {
    std::unique_ptr<midiin::Devices> devices;
    std::vector<std::string> listed;  // the ids that midiInGetNumDevs gave out
    bool everListed = false;
    std::map<HMIDIIN, std::unique_ptr<Input>> inputs;
};

// Never destroyed: a device's thread may still deliver while the process exits.
MidiInState& state = *new MidiInState;

midiin::Devices& devices() {
    if (!state.devices) state.devices = midiin::systemDevices();
    return *state.devices;
}

const std::vector<std::string>& listed() {
    if (!state.everListed) midiInGetNumDevs();
    return state.listed;
}

Input* findInput(HMIDIIN handle) {
    auto found = state.inputs.find(handle);
    return found == state.inputs.end() ? nullptr : found->second.get();
}

// On the device's thread: the bytes packed as Windows packs them, status byte lowest.
void deliver(const Input& input, const unsigned char* bytes, std::size_t count) {
    if (!input.started || input.lost || !input.window || count == 0 || count > 3) return;
    DWORD message = 0;
    for (std::size_t i = 0; i < count; ++i) message |= static_cast<DWORD>(bytes[i]) << (8 * i);
    PostMessageA(input.window, MM_MIM_DATA, reinterpret_cast<WPARAM>(input.handle),
                 static_cast<LPARAM>(message));
}

// On whichever thread noticed: the window hears of it as of a close.
void lose(Input& input) {
    if (!input.lost.exchange(true) && input.window)
        PostMessageA(input.window, MM_MIM_CLOSE, reinterpret_cast<WPARAM>(input.handle), 0);
}

// Closes the device and forgets the handle; returns the window to tell, if any.
HWND closeInput(HMIDIIN handle) {
    auto found = state.inputs.find(handle);
    HWND window = found->second->window;
    const bool otherThread = found->second->otherThread;
    state.inputs.erase(found);
    if (otherThread) core::otherThreadPosterClosed();
    return window;
}

bool isOpen(const std::string& device) {
    return std::any_of(state.inputs.begin(), state.inputs.end(),
                       [&](const auto& entry) { return entry.second->device == device; });
}

}  // namespace

UINT WINAPI midiInGetNumDevs(void) {
    state.listed = devices().names();
    state.everListed = true;
    return static_cast<UINT>(state.listed.size());
}

MMRESULT WINAPI midiInGetDevCapsA(UINT_PTR deviceId, LPMIDIINCAPSA caps, UINT capsSize) {
    if (!caps) return MMSYSERR_INVALPARAM;
    if (deviceId >= listed().size()) return MMSYSERR_BADDEVICEID;
    MIDIINCAPSA full{};
    std::strncpy(full.szPname, state.listed[deviceId].c_str(), MAXPNAMELEN - 1);
    std::memcpy(caps, &full, std::min<std::size_t>(capsSize, sizeof full));
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiInOpen(LPHMIDIIN result, UINT deviceId, DWORD_PTR callback, DWORD_PTR instance,
                           DWORD flags) {
    const DWORD kind = flags & CALLBACK_TYPEMASK;
    HWND window = kind == CALLBACK_WINDOW ? reinterpret_cast<HWND>(callback) : nullptr;
    if (!result || (kind == CALLBACK_WINDOW && !IsWindow(window))) return MMSYSERR_INVALPARAM;
    if (kind != CALLBACK_WINDOW && kind != CALLBACK_NULL) return MMSYSERR_NOTSUPPORTED;
    if (deviceId >= listed().size()) return MMSYSERR_BADDEVICEID;
    const std::string& device = state.listed[deviceId];
    if (isOpen(device)) return MMSYSERR_ALLOCATED;

    auto input = std::make_unique<Input>();
    input->handle = core::newHandle<HMIDIIN>();
    input->window = window;
    input->device = device;
    input->otherThread = devices().receiveOnOtherThreads();
    Input* receiving = input.get();
    input->port = devices().open(
        device, [receiving](const unsigned char* bytes, std::size_t count) { deliver(*receiving, bytes, count); },
        [receiving] { lose(*receiving); });
    if (!input->port) return MMSYSERR_NODRIVER;
    if (input->otherThread) core::otherThreadPosterOpened();
    *result = input->handle;
    state.inputs[input->handle] = std::move(input);
    if (window) PostMessageA(window, MM_MIM_OPEN, reinterpret_cast<WPARAM>(*result), 0);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiInStart(HMIDIIN handle) {
    Input* input = findInput(handle);
    if (!input) return MMSYSERR_INVALHANDLE;
    input->started = true;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiInStop(HMIDIIN handle) {
    Input* input = findInput(handle);
    if (!input) return MMSYSERR_INVALHANDLE;
    input->started = false;
    return MMSYSERR_NOERROR;
}

// Stops input; with no buffers given, there are none to hand back.
MMRESULT WINAPI midiInReset(HMIDIIN handle) { return midiInStop(handle); }

MMRESULT WINAPI midiInClose(HMIDIIN handle) {
    if (!findInput(handle)) return MMSYSERR_INVALHANDLE;
    if (HWND window = closeInput(handle))
        PostMessageA(window, MM_MIM_CLOSE, reinterpret_cast<WPARAM>(handle), 0);
    return MMSYSERR_NOERROR;
}

void core::closeMidiInputs() {
    while (!state.inputs.empty()) closeInput(state.inputs.begin()->first);
    state.listed.clear();
    state.everListed = false;
}

void core::useMidiDevices(std::unique_ptr<midiin::Devices> devices) {
    closeMidiInputs();
    state.devices = std::move(devices);
}
