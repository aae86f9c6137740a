// What the wave calls share (wave_common.h), and the core's switch of devices.
#include "platform/winmm/wave_common.h"

#include <cmath>

namespace winmm {
namespace {

std::unique_ptr<wave::Devices>& source() {
    static std::unique_ptr<wave::Devices>& devices = *new std::unique_ptr<wave::Devices>;  // never destroyed
    return devices;
}

}  // namespace

wave::Devices& waveDevices() {
    if (!source()) source() = wave::systemDevices();
    return *source();
}

std::string waveDeviceName(const std::vector<std::string>& listed, UINT deviceId) {
    if (deviceId == WAVE_MAPPER) return listed.empty() ? "" : listed.front();
    return deviceId < listed.size() ? listed[deviceId] : "";
}

MMRESULT checkWaveFormat(const WAVEFORMATEX* format) {
    if (!format) return MMSYSERR_INVALPARAM;
    const bool pcm16 = format->wFormatTag == WAVE_FORMAT_PCM && format->wBitsPerSample == 16;
    const bool channels = format->nChannels == 1 || format->nChannels == 2;
    const bool rate = format->nSamplesPerSec >= 8000 && format->nSamplesPerSec <= 192000;
    const bool consistent = format->nBlockAlign == 2 * format->nChannels &&
                            format->nAvgBytesPerSec == format->nSamplesPerSec * format->nBlockAlign;
    return pcm16 && channels && rate && consistent ? MMSYSERR_NOERROR : WAVERR_BADFORMAT;
}

MMRESULT checkWaveOpen(bool handleGiven, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                       DWORD flags, const std::vector<std::string>& listed, WaveOpening& opening) {
    const DWORD kind = flags & CALLBACK_TYPEMASK;
    opening.window = kind == CALLBACK_WINDOW ? reinterpret_cast<HWND>(callback) : nullptr;
    if (!handleGiven || (kind == CALLBACK_WINDOW && !IsWindow(opening.window))) return MMSYSERR_INVALPARAM;
    if (kind != CALLBACK_WINDOW && kind != CALLBACK_NULL) return MMSYSERR_NOTSUPPORTED;
    if (const MMRESULT checked = checkWaveFormat(format); checked != MMSYSERR_NOERROR) return checked;
    opening.device = waveDeviceName(listed, deviceId);
    if (opening.device.empty()) return deviceId == WAVE_MAPPER ? MMSYSERR_NODRIVER : MMSYSERR_BADDEVICEID;
    return MMSYSERR_NOERROR;
}

MMRESULT prepareWaveHeader(WAVEHDR* header, UINT headerSize) {
    if (!header || headerSize < sizeof(WAVEHDR) || !header->lpData) return MMSYSERR_INVALPARAM;
    if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT unprepareWaveHeader(WAVEHDR* header, UINT headerSize) {
    if (!header || headerSize < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
    if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    header->dwFlags &= ~static_cast<DWORD>(WHDR_PREPARED);
    return MMSYSERR_NOERROR;
}

MMRESULT queueableWaveHeader(const WAVEHDR* header, UINT headerSize) {
    if (!header || headerSize < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
    if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    return MMSYSERR_NOERROR;
}

short floatToSample(float value) {
    if (std::isnan(value)) return 0;
    const float scaled = std::nearbyint(value * 32768.0f);
    return static_cast<short>(scaled >= 32767.0f ? 32767.0f : scaled <= -32768.0f ? -32768.0f : scaled);
}

}  // namespace winmm

void core::closeWaveStreams() {
    winmm::closeWaveOutputs();
    winmm::closeWaveInputs();
}

void core::useWaveDevices(std::unique_ptr<wave::Devices> devices) {
    closeWaveStreams();
    winmm::source() = std::move(devices);
}
