// Listening in Form1 (audio_listening.h).
#include "shell/audio_listening.h"

#include "listening/listen_watch.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "shell/window_ids.h"

namespace {

void showChordHeard(const PitchSet& chord, double) { showPitchSet(chord); }

void showAudioInput() {
    char status[AudioStatusCapacity];
    describeAudioInput(status);
    setText(AudioStatus, status);
    EnableWindow(ListenBox, AudioInput.present ? TRUE : FALSE);
}

}  // namespace

void startListening() {
    EnableWindow(ListenBox, FALSE);
    startListenWatch(Form1, AudioScanTimer, FirstAudioScanDelay, showChordHeard, showAudioInput);
}

void listenSwitched() {
    wantListening(SendMessageA(ListenBox, BM_GETCHECK, 0, 0) == BST_CHECKED);
    showAudioInput();
}

void stopListening() { stopListenWatch(); }
