// Listening for a window: the input opened while the person wants it, the
// buffers that arrive as MM_WIM_DATA heard as chords (hearing.h), and the
// default input looked for every AudioScanPeriod, so that a device that
// comes or goes is found or closed as the keyboards are. The window's
// procedure hands its MM_WIM_DATA and WM_TIMER messages to
// handleListenMessage; the watch tells its owner when a chord changed and
// when what the status says changed, with the chord's time in seconds from
// the watch's start. The owner chooses the scan timer's id.
#pragma once

#include "listening/audio_input.h"
#include "listening/hearing.h"

inline constexpr UINT AudioScanPeriod = 2000;

// A buffer heard: its samples (full scale -1 .. 1) and the frames they
// completed, with times from the input's last opening (ListenWatch.openedAt).
using BlockHeard = void (*)(const float* samples, int count, const std::vector<AudioFrame>& frames);

struct ListenWatchRecord {
    HWND window;
    UINT_PTR scanTimer;
    bool wanted;            // the person asked to listen
    ChordHeard chordHeard;
    void (*inputChanged)();
    BlockHeard blockHeard;  // optional
    HearingRecord hearing;
    DWORD startedAt, openedAt;  // GetTickCount at the watch's start and the input's last opening
    float block[ListenBufferFrames];  // one buffer's samples as floats
};

extern ListenWatchRecord ListenWatch;

// Back to the start: nothing watched or open (it closes nothing).
void resetListenWatch();
// Looks for the input firstScanDelay milliseconds from now, then every
// AudioScanPeriod; inputChanged is told when what the status says, or
// whether the input is open, has changed.
void startListenWatch(HWND window, UINT_PTR scanTimer, UINT firstScanDelay, ChordHeard chordHeard,
                      void (*inputChanged)());
// Each buffer, once heard, also goes to blockHeard (null: to no one).
void watchHeardBlocks(BlockHeard blockHeard);
// On: the input is opened now if it is there, else when it comes. Off: closed.
void wantListening(bool on);
// Whether the input is open and listened to.
bool listening();
// MM_WIM_DATA and the scan timer; false for any other message.
bool handleListenMessage(UINT message, WPARAM wParam, LPARAM lParam);
// The input closed, no more timers.
void stopListenWatch();
