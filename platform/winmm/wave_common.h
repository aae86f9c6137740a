// What the wave output and input calls (wave_out.cpp, wave_in.cpp) share:
// the source of devices, the one format they take, the headers' flags and
// the samples' conversion.
#pragma once

#include "platform/seam/wave_devices.h"
#include "platform/win32.h"

#include <string>
#include <vector>

namespace winmm {

// The devices' source: the system's until core::useWaveDevices names another.
wave::Devices& waveDevices();
// The device that an id stands for in the list last taken (WAVE_MAPPER: the
// first, the default); empty when there is none.
std::string waveDeviceName(const std::vector<std::string>& listed, UINT deviceId);

// 16-bit PCM, one or two channels, 8 kHz to 192 kHz, its block alignment and
// byte rate consistent: MMSYSERR_NOERROR, else why not.
MMRESULT checkWaveFormat(const WAVEFORMATEX* format);

// An open's arguments: its callback (CALLBACK_WINDOW or CALLBACK_NULL), its
// format, its device id in the list last taken. MMSYSERR_NOERROR with the
// window to tell (nullptr with CALLBACK_NULL) and the device's name, else why not.
struct WaveOpening {
    HWND window = nullptr;
    std::string device;
};
MMRESULT checkWaveOpen(bool handleGiven, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                       DWORD flags, const std::vector<std::string>& listed, WaveOpening& opening);

// Preparing and unpreparing a header, alike for input and output.
MMRESULT prepareWaveHeader(WAVEHDR* header, UINT headerSize);
MMRESULT unprepareWaveHeader(WAVEHDR* header, UINT headerSize);
// Whether a header may be queued: prepared and not queued already.
MMRESULT queueableWaveHeader(const WAVEHDR* header, UINT headerSize);

inline float sampleToFloat(short sample) { return static_cast<float>(sample) / 32768.0f; }
short floatToSample(float value);

// Taken into a queue: not done any more.
inline void markWaveHeaderQueued(WAVEHDR* header) {
    header->dwFlags = (header->dwFlags & ~static_cast<DWORD>(WHDR_DONE)) | WHDR_INQUEUE;
}
// Handed back to the program: done, no longer queued.
inline void markWaveHeaderDone(WAVEHDR* header) {
    header->dwFlags = (header->dwFlags & ~static_cast<DWORD>(WHDR_INQUEUE)) | WHDR_DONE;
}

void closeWaveOutputs();
void closeWaveInputs();

}  // namespace winmm
