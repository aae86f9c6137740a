// The window's sound (sounding.h): the Sound box, the synthesizer's open and
// its result, and the release timer around midi/sound.h.
#include "shell/sounding.h"

#include <cstdio>

#include "midi/sound.h"
#include "shell/state.h"

namespace {

// Lives as long as the process: the open's thread may outlast the window.
SynthesizerRequest opening;

bool soundWanted() { return SendMessageA(SoundBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void play(const Voicing& voicing) {
    if (!soundWanted() || voicing.count == 0) return;
    soundVoicing(voicing);
    SetTimer(Form1, ReleaseTimer, HoldMilliseconds, nullptr);
}

// Without a thread to spare the open runs here: late, but the same.
void openSound() {
    opening = {Form1, SynthesizerOpened};
    if (HANDLE thread = CreateThread(nullptr, 0, openSynthesizerFor, &opening, 0, nullptr))
        CloseHandle(thread);
    else
        openSynthesizerFor(&opening);
}

}  // namespace

void startSound() {
    EnableWindow(SoundBox, FALSE);
    SetTimer(Form1, OpenTimer, OpenDelay, nullptr);
}

bool soundTimerDue(UINT_PTR timer) {
    if (timer != OpenTimer && timer != ReleaseTimer) return false;
    KillTimer(Form1, timer);
    timer == OpenTimer ? openSound() : releaseVoicing();
    return true;
}

void takeSynthesizerResult(WPARAM wParam, LPARAM lParam) {
    const MMRESULT result = takeSynthesizer(wParam, lParam);
    if (result == MMSYSERR_NOERROR) {
        const bool ticked = !Shell.soundReopening || Shell.soundWantedBack;
        Shell.soundReopening = false;
        EnableWindow(SoundBox, TRUE);
        SendMessageA(SoundBox, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    if (Shell.soundReopening) {  // said once when it stopped
        SetTimer(Form1, OpenTimer, ReopenDelay, nullptr);
        return;
    }
    char reason[MAXERRORLENGTH] = "";
    midiOutGetErrorTextA(result, reason, sizeof reason);
    std::fprintf(stderr, "No sound: %s\n", reason);
}

bool soundClosed(WPARAM wParam) {
    const bool wanted = soundWanted();
    if (!synthesizerLost(wParam)) return false;
    KillTimer(Form1, ReleaseTimer);
    Shell.soundReopening = true;
    Shell.soundWantedBack = wanted;
    SendMessageA(SoundBox, BM_SETCHECK, BST_UNCHECKED, 0);
    EnableWindow(SoundBox, FALSE);
    std::fprintf(stderr, "No sound: the sound output stopped (its server or device went away)\n");
    SetTimer(Form1, OpenTimer, ReopenDelay, nullptr);
    return true;
}

void soundEntry() {
    if (Shell.entered) play(voicePitches(Shell.enteredPitches));
}

void soundSpike(int chordType, int displayRoot) {
    play(voiceChord(chordType, (displayRoot + 9) % RootCount));
}

void soundSwitched() {
    if (soundWanted()) return;
    KillTimer(Form1, ReleaseTimer);
    silenceSound();
}

void endSound() { closeSound(); }
