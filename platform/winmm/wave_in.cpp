// The wave input calls of winmm: the device list and its names, opening with
// CALLBACK_WINDOW, buffers added and handed back full as MM_WIM_DATA, start,
// stop, reset and close.
//
// Devices come from a wave::Devices (wave_devices.h). The device's capture
// callback fills the queued buffers on the device's thread, under the
// input's lock, and posts MM_WIM_DATA there; everything else runs on the
// program's thread. A device id is a place in the list that waveInGetNumDevs
// last took; WAVE_MAPPER is the first, the default. A device lost while open
// hands every queued buffer back at once, short, and takes no more
// (waveInAddBuffer answers MMSYSERR_NODRIVER), so that a program sees its
// input stop as on Windows and closes it. Limits: 16-bit PCM only;
// CALLBACK_WINDOW and CALLBACK_NULL only; a device is open at most once.
#include "platform/seam/core.h"
#include "platform/seam/handles.h"
#include "platform/winmm/wave_common.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

namespace {

struct Input {
    HWAVEIN handle = nullptr;
    HWND window = nullptr;  // nullptr with CALLBACK_NULL
    std::string device;
    WAVEFORMATEX format{};
    bool otherThread = false;

    std::mutex lock;  // guards what follows: the device's thread captures into it
    std::deque<WAVEHDR*> queue;
    bool started = false;
    bool lost = false;

    std::unique_ptr<wave::Stream> stream;  // declared last: closed before the rest goes
};

struct WaveInState {
    std::vector<std::string> listed;
    bool everListed = false;
    std::map<HWAVEIN, std::unique_ptr<Input>> inputs;
};

WaveInState& state = *new WaveInState;  // never destroyed: a device's thread may still capture

Input* findInput(HWAVEIN handle) {
    auto found = state.inputs.find(handle);
    return found == state.inputs.end() ? nullptr : found->second.get();
}

const std::vector<std::string>& listed() {
    if (!state.everListed) waveInGetNumDevs();
    return state.listed;
}

// The caller holds the lock.
void handBackFirst(Input& input) {
    WAVEHDR* header = input.queue.front();
    input.queue.pop_front();
    winmm::markWaveHeaderDone(header);
    if (input.window)
        PostMessageA(input.window, MM_WIM_DATA, reinterpret_cast<WPARAM>(input.handle),
                     reinterpret_cast<LPARAM>(header));
}

// On the device's thread: into the queued buffers, each handed back when full;
// with none queued the samples are lost, as on Windows.
void capture(Input& input, const float* samples, std::size_t frames) {
    std::lock_guard hold(input.lock);
    const std::size_t count = frames * input.format.nChannels;
    std::size_t taken = 0;
    while (taken < count && input.started && !input.lost && !input.queue.empty()) {
        WAVEHDR* header = input.queue.front();
        const DWORD room = header->dwBufferLength / 2 - header->dwBytesRecorded / 2;
        const std::size_t now = std::min<std::size_t>(room, count - taken);
        for (std::size_t i = 0; i < now; ++i) {
            const short sample = winmm::floatToSample(samples[taken + i]);
            std::memcpy(header->lpData + header->dwBytesRecorded + 2 * i, &sample, sizeof sample);
        }
        taken += now;
        header->dwBytesRecorded += static_cast<DWORD>(2 * now);
        if (header->dwBytesRecorded / 2 >= header->dwBufferLength / 2) handBackFirst(input);
    }
}

void lose(Input& input) {
    std::lock_guard hold(input.lock);
    input.lost = true;
    while (!input.queue.empty()) handBackFirst(input);
}

bool isOpen(const std::string& device) {
    return std::any_of(state.inputs.begin(), state.inputs.end(),
                       [&](const auto& entry) { return entry.second->device == device; });
}

void closeInput(HWAVEIN handle) {
    auto found = state.inputs.find(handle);
    std::unique_ptr<Input> input = std::move(found->second);
    state.inputs.erase(found);
    input->stream.reset();
    if (input->otherThread) core::otherThreadPosterClosed();
}

}  // namespace

UINT WINAPI waveInGetNumDevs(void) {
    state.listed = winmm::waveDevices().inputs();
    state.everListed = true;
    return static_cast<UINT>(state.listed.size());
}

MMRESULT WINAPI waveInGetDevCapsA(UINT_PTR deviceId, LPWAVEINCAPSA caps, UINT capsSize) {
    if (!caps) return MMSYSERR_INVALPARAM;
    const std::string name = winmm::waveDeviceName(listed(), static_cast<UINT>(deviceId));
    if (name.empty()) return MMSYSERR_BADDEVICEID;
    WAVEINCAPSA full{};
    std::strncpy(full.szPname, name.c_str(), MAXPNAMELEN - 1);
    full.dwFormats = 0x000FFFFF;  // every standard rate, mono and stereo, 8 and 16 bits
    full.wChannels = 2;
    std::memcpy(caps, &full, std::min<std::size_t>(capsSize, sizeof full));
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInOpen(LPHWAVEIN result, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback,
                           DWORD_PTR, DWORD flags) {
    winmm::WaveOpening opening;
    if (const MMRESULT checked = winmm::checkWaveOpen(result != nullptr, deviceId, format, callback, flags, listed(),
                                                      opening);
        checked != MMSYSERR_NOERROR)
        return checked;
    HWND window = opening.window;
    const std::string& device = opening.device;
    if (isOpen(device)) return MMSYSERR_ALLOCATED;

    auto input = std::make_unique<Input>();
    input->handle = core::newHandle<HWAVEIN>();
    input->window = window;
    input->device = device;
    input->format = *format;
    input->otherThread = winmm::waveDevices().callOnOtherThreads();
    Input* receiving = input.get();
    input->stream = winmm::waveDevices().openInput(
        device, wave::Format{format->nSamplesPerSec, format->nChannels},
        [receiving](const float* samples, std::size_t frames) { capture(*receiving, samples, frames); },
        [receiving] { lose(*receiving); });
    if (!input->stream) return MMSYSERR_NODRIVER;
    if (input->otherThread) core::otherThreadPosterOpened();
    *result = input->handle;
    state.inputs[input->handle] = std::move(input);
    if (window) PostMessageA(window, MM_WIM_OPEN, reinterpret_cast<WPARAM>(*result), 0);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInPrepareHeader(HWAVEIN handle, LPWAVEHDR header, UINT headerSize) {
    if (!findInput(handle)) return MMSYSERR_INVALHANDLE;
    return winmm::prepareWaveHeader(header, headerSize);
}

MMRESULT WINAPI waveInUnprepareHeader(HWAVEIN handle, LPWAVEHDR header, UINT headerSize) {
    if (!findInput(handle)) return MMSYSERR_INVALHANDLE;
    return winmm::unprepareWaveHeader(header, headerSize);
}

MMRESULT WINAPI waveInAddBuffer(HWAVEIN handle, LPWAVEHDR header, UINT headerSize) {
    Input* input = findInput(handle);
    if (!input) return MMSYSERR_INVALHANDLE;
    if (const MMRESULT checked = winmm::queueableWaveHeader(header, headerSize); checked != MMSYSERR_NOERROR)
        return checked;
    std::lock_guard hold(input->lock);
    if (input->lost) return MMSYSERR_NODRIVER;
    winmm::markWaveHeaderQueued(header);
    header->dwBytesRecorded = 0;
    input->queue.push_back(header);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInStart(HWAVEIN handle) {
    Input* input = findInput(handle);
    if (!input) return MMSYSERR_INVALHANDLE;
    std::lock_guard hold(input->lock);
    input->started = true;
    return MMSYSERR_NOERROR;
}

// The buffer being filled goes back with what it holds; empty ones stay queued.
MMRESULT WINAPI waveInStop(HWAVEIN handle) {
    Input* input = findInput(handle);
    if (!input) return MMSYSERR_INVALHANDLE;
    std::lock_guard hold(input->lock);
    input->started = false;
    if (!input->queue.empty() && input->queue.front()->dwBytesRecorded > 0) handBackFirst(*input);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInReset(HWAVEIN handle) {
    Input* input = findInput(handle);
    if (!input) return MMSYSERR_INVALHANDLE;
    std::lock_guard hold(input->lock);
    input->started = false;
    while (!input->queue.empty()) handBackFirst(*input);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInClose(HWAVEIN handle) {
    Input* input = findInput(handle);
    if (!input) return MMSYSERR_INVALHANDLE;
    {
        std::lock_guard hold(input->lock);
        if (!input->queue.empty()) return WAVERR_STILLPLAYING;
    }
    HWND window = input->window;
    closeInput(handle);
    if (window) PostMessageA(window, MM_WIM_CLOSE, reinterpret_cast<WPARAM>(handle), 0);
    return MMSYSERR_NOERROR;
}

void winmm::closeWaveInputs() {
    while (!state.inputs.empty()) closeInput(state.inputs.begin()->first);
    state.listed.clear();
    state.everListed = false;
}
