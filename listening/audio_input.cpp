// The audio input listened to (audio_input.h).
#include "listening/audio_input.h"

#include <cstdio>
#include <cstring>

AudioInputRecord AudioInput = {};

namespace {

WAVEFORMATEX listenFormat() {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = ListenRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 2 * ListenRate;
    return format;
}

bool queueBuffers() {
    for (int i = 0; i < ListenBufferCount; ++i) {
        WAVEHDR& header = AudioInput.headers[i];
        header = WAVEHDR{};
        header.lpData = reinterpret_cast<LPSTR>(AudioInput.samples[i]);
        header.dwBufferLength = sizeof AudioInput.samples[i];
        if (waveInPrepareHeader(AudioInput.input, &header, sizeof header) != MMSYSERR_NOERROR ||
            waveInAddBuffer(AudioInput.input, &header, sizeof header) != MMSYSERR_NOERROR)
            return false;
    }
    return true;
}

}  // namespace

void resetAudioInput() { AudioInput = AudioInputRecord{}; }

bool scanAudioInput() {
    WAVEINCAPSA caps = {};
    const bool present = waveInGetNumDevs() > 0 && waveInGetDevCapsA(WAVE_MAPPER, &caps, sizeof caps) == MMSYSERR_NOERROR;
    caps.szPname[MAXPNAMELEN - 1] = '\0';
    const bool changed = present != AudioInput.present || (present && std::strcmp(caps.szPname, AudioInput.deviceName) != 0);
    AudioInput.present = present;
    std::memcpy(AudioInput.deviceName, present ? caps.szPname : "", present ? MAXPNAMELEN : 1);
    return changed;
}

bool openAudioInput(HWND window) {
    const WAVEFORMATEX format = listenFormat();
    HWAVEIN input = nullptr;
    if (waveInOpen(&input, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR)
        return false;
    AudioInput.input = input;
    if (!queueBuffers() || waveInStart(input) != MMSYSERR_NOERROR) {
        closeAudioInput();
        return false;
    }
    return true;
}

void closeAudioInput() {
    if (!AudioInput.input) return;
    waveInReset(AudioInput.input);
    for (WAVEHDR& header : AudioInput.headers)
        if (header.dwFlags & WHDR_PREPARED) waveInUnprepareHeader(AudioInput.input, &header, sizeof header);
    waveInClose(AudioInput.input);
    AudioInput.input = nullptr;
}

bool takeAudioBuffer(HWAVEIN input, WAVEHDR* header, const short** samples, int* count) {
    *count = 0;
    if (!input || input != AudioInput.input) return true;  // queued before its input was closed
    if (header->dwBytesRecorded < header->dwBufferLength) return false;
    *samples = reinterpret_cast<const short*>(header->lpData);
    *count = static_cast<int>(header->dwBytesRecorded / 2);
    return waveInAddBuffer(input, header, sizeof *header) == MMSYSERR_NOERROR;
}

void describeAudioInput(char (&text)[AudioStatusCapacity]) {
    if (!AudioInput.present)
        std::snprintf(text, sizeof text, "Audio in: none");
    else
        std::snprintf(text, sizeof text, "Audio in: default (%s)", AudioInput.deviceName);
}
