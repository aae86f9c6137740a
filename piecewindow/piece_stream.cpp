// A MIDI file's messages on a MIDI stream (piece_stream.h).
#include "piecewindow/piece_stream.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "piecewindow/state.h"

namespace {

constexpr DWORD TicksPerQuarter = 1000;
constexpr DWORD MicrosecondsPerQuarter = 1000000;  // with the above, a tick of 1 ms
constexpr std::size_t EventsPerBuffer = 4096;      // 48 KB of short events
constexpr unsigned NoteOffStatus = 0x80, NoteOnStatus = 0x90, PolyPressureStatus = 0xA0;

bool setsChannelState(unsigned message) {
    const unsigned kind = message & 0xF0;
    return kind != NoteOffStatus && kind != NoteOnStatus && kind != PolyPressureStatus;
}

void complain(const char* what, MMRESULT error) {
    char text[MAXERRORLENGTH] = "";
    midiOutGetErrorTextA(error, text, sizeof text);
    std::fprintf(stderr, "tonvisor: the piece plays silently: %s: %s\n", what, text);
}

bool setTiming(HMIDISTRM stream) {
    MIDIPROPTIMEDIV division = {sizeof division, TicksPerQuarter};
    MIDIPROPTEMPO tempo = {sizeof tempo, MicrosecondsPerQuarter};
    return midiStreamProperty(stream, reinterpret_cast<BYTE*>(&division), MIDIPROP_SET | MIDIPROP_TIMEDIV) ==
               MMSYSERR_NOERROR &&
           midiStreamProperty(stream, reinterpret_cast<BYTE*>(&tempo), MIDIPROP_SET | MIDIPROP_TEMPO) ==
               MMSYSERR_NOERROR;
}

// A short event `ticks` after the one before it, in the last buffer or a new one.
void addEvent(DWORD ticks, unsigned message) {
    std::vector<std::vector<DWORD>>& buffers = PieceWindow.stream.buffers;
    if (buffers.empty() || buffers.back().size() >= 3 * EventsPerBuffer) buffers.emplace_back();
    buffers.back().insert(buffers.back().end(), {ticks, 0, static_cast<DWORD>(MEVT_F_SHORT) | (message & 0xFFFFFF)});
}

// Each event's tick counted from the start, so that no rounding adds up.
void fillBuffers(std::size_t first, double startTime) {
    const std::vector<TimedMessage>& messages = PieceWindow.piece.messages;
    PieceWindow.stream.buffers.clear();
    for (std::size_t i = 0; i < first; ++i)
        if (setsChannelState(messages[i].message)) addEvent(0, messages[i].message);
    long long previous = 0;
    for (std::size_t i = first; i < messages.size(); ++i) {
        const long long tick = std::llround((messages[i].time - startTime) * 1000.0);
        addEvent(static_cast<DWORD>(std::max(0LL, tick - previous)), messages[i].message);
        previous = std::max(previous, tick);
    }
}

MMRESULT queueBuffers() {
    PieceStream& stream = PieceWindow.stream;
    stream.headers.assign(stream.buffers.size(), MIDIHDR{});
    for (std::size_t i = 0; i < stream.buffers.size(); ++i) {
        MIDIHDR& header = stream.headers[i];
        header.lpData = reinterpret_cast<LPSTR>(stream.buffers[i].data());
        header.dwBufferLength = header.dwBytesRecorded = static_cast<DWORD>(stream.buffers[i].size() * sizeof(DWORD));
        HMIDIOUT output = reinterpret_cast<HMIDIOUT>(stream.handle);
        MMRESULT result = midiOutPrepareHeader(output, &header, sizeof header);
        if (result == MMSYSERR_NOERROR) result = midiStreamOut(stream.handle, &header, sizeof header);
        if (result != MMSYSERR_NOERROR) return result;
    }
    return MMSYSERR_NOERROR;
}

}  // namespace

bool playStreamFrom(std::size_t first, double startTime) {
    PieceStream& stream = PieceWindow.stream;
    UINT device = MIDI_MAPPER;
    MMRESULT result = midiStreamOpen(&stream.handle, &device, 1, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        stream.handle = nullptr;
        complain("no MIDI stream", result);
        return false;
    }
    fillBuffers(first, startTime);
    if (!setTiming(stream.handle)) {
        closeStream();
        complain("the stream's timing", MMSYSERR_NOTSUPPORTED);
        return false;
    }
    if ((result = queueBuffers()) == MMSYSERR_NOERROR) result = midiStreamRestart(stream.handle);
    if (result != MMSYSERR_NOERROR) {
        closeStream();
        complain("the piece's events", result);
        return false;
    }
    return true;
}

bool streamPosition(double& seconds) {
    MMTIME position = {TIME_TICKS, {}};
    if (!PieceWindow.stream.handle ||
        midiStreamPosition(PieceWindow.stream.handle, &position, sizeof position) != MMSYSERR_NOERROR)
        return false;
    seconds = position.u.ticks / 1000.0;
    return true;
}

void pauseStream() {
    if (PieceWindow.stream.handle) midiStreamPause(PieceWindow.stream.handle);
}

// Stopping hands every buffer back, so each can be unprepared.
void closeStream() {
    PieceStream& stream = PieceWindow.stream;
    if (!stream.handle) return;
    midiStreamStop(stream.handle);
    for (MIDIHDR& header : stream.headers)
        if (header.dwFlags & MHDR_PREPARED)
            midiOutUnprepareHeader(reinterpret_cast<HMIDIOUT>(stream.handle), &header, sizeof header);
    midiStreamClose(stream.handle);
    stream = PieceStream{};
}
