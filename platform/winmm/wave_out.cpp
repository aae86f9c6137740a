// The wave output calls of winmm: opening a device with CALLBACK_WINDOW,
// headers queued and handed back as MM_WOM_DONE, the position the device has
// played, pause, restart, reset and close, and the error texts.
//
// Devices come from a wave::Devices (wave_devices.h). The device's render
// callback takes the queued samples on the device's thread, under the
// output's lock, and posts MM_WOM_DONE there; everything else runs on the
// program's thread. The position is what has been handed to the device less
// what the device says it still holds, and never goes back until a reset.
// A device lost while open hands every queued header back at once; the
// position then stands still and waveOutWrite answers MMSYSERR_NODRIVER.
// Limits: 16-bit PCM only; loops (WHDR_BEGINLOOP) are played once;
// CALLBACK_WINDOW and CALLBACK_NULL only; a paused output keeps its pause
// through a reset.
#include "platform/seam/core.h"
#include "platform/winmm/error_text.h"
#include "platform/seam/handles.h"
#include "platform/winmm/wave_common.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

namespace {

struct Output {
    HWAVEOUT handle = nullptr;
    HWND window = nullptr;  // nullptr with CALLBACK_NULL
    WAVEFORMATEX format{};
    bool otherThread = false;

    std::mutex lock;  // guards what follows: the device's thread renders from it
    std::deque<WAVEHDR*> queue;
    DWORD offset = 0;  // bytes of the first header already played
    bool paused = false;
    bool lost = false;
    std::uint64_t framesPlayed = 0;     // program frames handed to the device since the reset
    std::uint64_t silenceAfter = 0;     // frames of silence handed over since the last of them
    std::uint64_t lastPosition = 0;     // what waveOutGetPosition last answered

    std::unique_ptr<wave::Stream> stream;  // declared last: closed before the rest goes
};

struct WaveOutState {
    std::vector<std::string> listed;
    bool everListed = false;
    std::map<HWAVEOUT, std::unique_ptr<Output>> outputs;
};

WaveOutState& state = *new WaveOutState;  // never destroyed: a device's thread may still render

Output* findOutput(HWAVEOUT handle) {
    auto found = state.outputs.find(handle);
    return found == state.outputs.end() ? nullptr : found->second.get();
}

void handBack(Output& output, WAVEHDR* header) {
    winmm::markWaveHeaderDone(header);
    if (output.window)
        PostMessageA(output.window, MM_WOM_DONE, reinterpret_cast<WPARAM>(output.handle),
                     reinterpret_cast<LPARAM>(header));
}

// The caller holds the lock.
void handBackAll(Output& output) {
    while (!output.queue.empty()) {
        handBack(output, output.queue.front());
        output.queue.pop_front();
    }
    output.offset = 0;
}

// On the device's thread: the queued samples, silence where there are none.
void render(Output& output, float* samples, std::size_t frames) {
    std::lock_guard hold(output.lock);
    const unsigned channels = output.format.nChannels;
    const DWORD frameBytes = output.format.nBlockAlign;
    std::size_t done = 0;
    while (done < frames && !output.paused && !output.lost && !output.queue.empty()) {
        WAVEHDR* header = output.queue.front();
        const DWORD whole = header->dwBufferLength / frameBytes * frameBytes;
        const std::size_t available = (whole - std::min(whole, output.offset)) / frameBytes;
        const std::size_t taken = std::min(available, frames - done);
        const char* from = header->lpData + output.offset;
        for (std::size_t i = 0; i < taken * channels; ++i) {
            short sample;
            std::memcpy(&sample, from + 2 * i, sizeof sample);
            samples[done * channels + i] = winmm::sampleToFloat(sample);
        }
        done += taken;
        output.offset += static_cast<DWORD>(taken * frameBytes);
        output.framesPlayed += taken;
        if (taken > 0) output.silenceAfter = 0;
        if (output.offset >= whole) {
            output.queue.pop_front();
            output.offset = 0;
            handBack(output, header);
        }
    }
    std::fill(samples + done * channels, samples + frames * channels, 0.0f);
    output.silenceAfter += frames - done;
}

void lose(Output& output) {
    std::lock_guard hold(output.lock);
    output.lost = true;
    handBackAll(output);
}

// Frames the listener has heard: what the device was given less what it
// still holds of the program's samples.
std::uint64_t position(Output& output) {
    bool lost;
    {
        std::lock_guard hold(output.lock);
        lost = output.lost;
    }
    const std::uint64_t held = lost ? 0 : output.stream->pendingFrames();  // the device may take its own lock
    std::lock_guard hold(output.lock);
    const std::uint64_t unheard = held > output.silenceAfter ? held - output.silenceAfter : 0;
    const std::uint64_t heard = output.framesPlayed - std::min(output.framesPlayed, unheard);
    output.lastPosition = std::max(output.lastPosition, heard);
    return output.lastPosition;
}

void closeOutput(HWAVEOUT handle) {
    auto found = state.outputs.find(handle);
    std::unique_ptr<Output> output = std::move(found->second);
    state.outputs.erase(found);
    output->stream.reset();
    if (output->otherThread) core::otherThreadPosterClosed();
}

const std::vector<std::string>& listed() {
    if (!state.everListed) waveOutGetNumDevs();
    return state.listed;
}

std::string errorText(MMRESULT error) {
    switch (error) {
    case MMSYSERR_NOERROR: return "The command completed successfully.";
    case MMSYSERR_ERROR: return "The device could not be opened.";
    case MMSYSERR_BADDEVICEID: return "There is no audio device with that number.";
    case MMSYSERR_ALLOCATED: return "The audio device is already in use.";
    case MMSYSERR_INVALHANDLE: return "The audio device handle is not open.";
    case MMSYSERR_NODRIVER: return "There is no audio device, or it has gone.";
    case MMSYSERR_NOMEM: return "There is not enough memory.";
    case MMSYSERR_NOTSUPPORTED: return "The function is not supported.";
    case MMSYSERR_INVALFLAG: return "An invalid flag was given.";
    case MMSYSERR_INVALPARAM: return "An invalid parameter was given.";
    case WAVERR_BADFORMAT: return "The audio format is not supported: 16-bit PCM, mono or stereo, 8 to 192 kHz.";
    case WAVERR_STILLPLAYING: return "The buffer is still queued.";
    case WAVERR_UNPREPARED: return "The buffer was not prepared.";
    default: return "";
    }
}

}  // namespace

UINT WINAPI waveOutGetNumDevs(void) {
    state.listed = winmm::waveDevices().outputs();
    state.everListed = true;
    return static_cast<UINT>(state.listed.size());
}

MMRESULT WINAPI waveOutOpen(LPHWAVEOUT result, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback,
                            DWORD_PTR, DWORD flags) {
    winmm::WaveOpening opening;
    if (const MMRESULT checked = winmm::checkWaveOpen(result != nullptr, deviceId, format, callback, flags, listed(),
                                                      opening);
        checked != MMSYSERR_NOERROR)
        return checked;
    HWND window = opening.window;
    const std::string& device = opening.device;

    auto output = std::make_unique<Output>();
    output->handle = core::newHandle<HWAVEOUT>();
    output->window = window;
    output->format = *format;
    output->otherThread = winmm::waveDevices().callOnOtherThreads();
    Output* playing = output.get();
    output->stream = winmm::waveDevices().openOutput(
        device, wave::Format{format->nSamplesPerSec, format->nChannels},
        [playing](float* samples, std::size_t frames) { render(*playing, samples, frames); },
        [playing] { lose(*playing); });
    if (!output->stream) return MMSYSERR_NODRIVER;
    if (output->otherThread) core::otherThreadPosterOpened();
    *result = output->handle;
    state.outputs[output->handle] = std::move(output);
    if (window) PostMessageA(window, MM_WOM_OPEN, reinterpret_cast<WPARAM>(*result), 0);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutPrepareHeader(HWAVEOUT handle, LPWAVEHDR header, UINT headerSize) {
    if (!findOutput(handle)) return MMSYSERR_INVALHANDLE;
    return winmm::prepareWaveHeader(header, headerSize);
}

MMRESULT WINAPI waveOutUnprepareHeader(HWAVEOUT handle, LPWAVEHDR header, UINT headerSize) {
    if (!findOutput(handle)) return MMSYSERR_INVALHANDLE;
    return winmm::unprepareWaveHeader(header, headerSize);
}

MMRESULT WINAPI waveOutWrite(HWAVEOUT handle, LPWAVEHDR header, UINT headerSize) {
    Output* output = findOutput(handle);
    if (!output) return MMSYSERR_INVALHANDLE;
    if (const MMRESULT checked = winmm::queueableWaveHeader(header, headerSize); checked != MMSYSERR_NOERROR)
        return checked;
    std::lock_guard hold(output->lock);
    if (output->lost) return MMSYSERR_NODRIVER;
    winmm::markWaveHeaderQueued(header);
    output->queue.push_back(header);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutGetPosition(HWAVEOUT handle, LPMMTIME time, UINT timeSize) {
    Output* output = findOutput(handle);
    if (!output) return MMSYSERR_INVALHANDLE;
    if (!time || timeSize < sizeof(MMTIME)) return MMSYSERR_INVALPARAM;
    const std::uint64_t frames = position(*output);
    if (time->wType == TIME_SAMPLES)
        time->u.sample = static_cast<DWORD>(frames);
    else if (time->wType == TIME_MS)
        time->u.ms = static_cast<DWORD>(frames * 1000 / output->format.nSamplesPerSec);
    else {
        time->wType = TIME_BYTES;  // as Windows answers a kind it does not keep
        time->u.cb = static_cast<DWORD>(frames * output->format.nBlockAlign);
    }
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutPause(HWAVEOUT handle) {
    Output* output = findOutput(handle);
    if (!output) return MMSYSERR_INVALHANDLE;
    std::lock_guard hold(output->lock);
    output->paused = true;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutRestart(HWAVEOUT handle) {
    Output* output = findOutput(handle);
    if (!output) return MMSYSERR_INVALHANDLE;
    std::lock_guard hold(output->lock);
    output->paused = false;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutReset(HWAVEOUT handle) {
    Output* output = findOutput(handle);
    if (!output) return MMSYSERR_INVALHANDLE;
    std::lock_guard hold(output->lock);
    handBackAll(*output);
    output->framesPlayed = output->silenceAfter = output->lastPosition = 0;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutClose(HWAVEOUT handle) {
    Output* output = findOutput(handle);
    if (!output) return MMSYSERR_INVALHANDLE;
    {
        std::lock_guard hold(output->lock);
        if (!output->queue.empty()) return WAVERR_STILLPLAYING;
    }
    HWND window = output->window;
    closeOutput(handle);
    if (window) PostMessageA(window, MM_WOM_CLOSE, reinterpret_cast<WPARAM>(handle), 0);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutGetErrorTextA(MMRESULT error, LPSTR text, UINT size) {
    return winmm::copyErrorText(errorText(error), text, size);
}

void winmm::closeWaveOutputs() {
    while (!state.outputs.empty()) closeOutput(state.outputs.begin()->first);
    state.listed.clear();
    state.everListed = false;
}
