// Listening in Form1 (audio_listening.h).
#include "shell/audio_listening.h"

#include "listening/listen_watch.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "shell/live_session.h"
#include "shell/window_ids.h"

namespace {

void showChordHeard(const PitchSet& chord, double time) {
    showPitchSet(chord);
    sessionChordHeard(chord, time);
}

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
    startLiveSession();
}

void listenSwitched() {
    const bool on = SendMessageA(ListenBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    wantListening(on);
    showAudioInput();
    sessionListenSwitched(on);
}

void stopListening() { stopListenWatch(); }
