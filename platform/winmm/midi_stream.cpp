// MIDI streams: midiStreamOpen, midiStreamProperty, midiOutPrepareHeader and
// midiOutUnprepareHeader on a stream handle, midiStreamOut, midiStreamRestart,
// midiStreamPause, midiStreamStop, midiStreamPosition and midiStreamClose.
//
// A stream times its queued events itself and plays each through the
// synthesizer that midiOutOpen opened (midi_out.h), logged like
// midiOutShortMsg. On a real clock each stream has a scheduler thread that
// sleeps on the steady clock until its next event, at real-time priority
// where the system grants it; on the headless virtual clock there is none,
// and the backend plays the events as it moves the clock
// (core::playMidiStreams), each exactly at its time. Through an audio driver,
// events go to the synthesizer a little ahead, timed by its clock of rendered
// samples, so that what it renders is on time whatever the load on the
// scheduler or the driver; pausing takes back those not yet played. The
// event times are counted from the first event of the stream, so no rounding
// adds up.
//
// Limits: device 0 (also MIDI_MAPPER) only, one device per stream,
// CALLBACK_NULL only (the caller polls MHDR_DONE and the position); short
// messages and MEVT_NOP only (long events are skipped by their lengths);
// time divisions in ticks per quarter note; a stream opened while no
// synthesizer is open runs its clock silently; streams share the
// synthesizer's sequencer, so pausing or stopping one drops what the others
// handed over ahead. The header is read when it is queued, and written
// (MHDR_DONE) when its last event has played (through a driver: has been
// handed over) or the stream stops. Every call is safe from any thread.
#include "platform/seam/backend.h"
#include "platform/seam/core.h"
#include "platform/seam/handles.h"
#include "platform/winmm/midi_out.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr DWORD DefaultTimeDivision = 96;   // ticks a quarter note
constexpr DWORD DefaultTempo = 500000;      // microseconds a quarter note: 120 beats a minute
constexpr DWORD LargestBuffer = 65535;      // a buffer must be smaller than 64 KB
constexpr DWORD ShortEventBytes = 3 * sizeof(DWORD);
constexpr unsigned ControlChange = 0xB0, AllNotesOff = 123;
constexpr int SchedulerPriority = 40;      // FluidSynth's audio threads ask for 60, jackd's tests run at 70
constexpr std::int64_t HandAhead = 20000;  // microseconds: the scheduler may wake this late

struct Event {
    std::uint64_t tick;  // from the stream's first event
    DWORD message;
    bool counted = false;  // its buffer has counted it played already
};

struct Handed {
    Event event;
    unsigned at;  // on the synthesizer's clock of rendered samples
};

struct Queued {
    LPMIDIHDR header;
    std::size_t events;  // of the stream's events still to play
};

struct Stream {
    std::mutex lock;
    std::condition_variable changed;  // wakes the scheduler
    DWORD timeDivision = DefaultTimeDivision, tempo = DefaultTempo;
    std::deque<Event> events;
    std::deque<Queued> buffers;
    std::uint64_t lastTick = 0;  // of the last event queued
    bool running = false;
    double ticksAtMark = 0;       // the position at markMicros
    std::int64_t markMicros = 0;  // when it last started or changed tempo, on the stream's clock
    bool virtualClock = false;
    // Through a driver, events are handed to the synthesizer HandAhead early,
    // timed by its clock of rendered samples (winmm::synthesizerClock), which
    // read clockAtMark at the mark.
    bool sampleTimed = false;
    unsigned clockAtMark = 0;
    std::deque<Handed> handed;  // handed over and perhaps not yet played
    bool closing = false;
    std::thread scheduler;
};

struct Streams {
    std::mutex lock;
    std::map<HMIDISTRM, std::shared_ptr<Stream>> open;
};

Streams& streams = *new Streams;  // never destroyed: a scheduler may run while the process exits

std::shared_ptr<Stream> find(HMIDISTRM handle) {
    std::lock_guard<std::mutex> hold(streams.lock);
    auto found = streams.open.find(handle);
    return found == streams.open.end() ? nullptr : found->second;
}

std::int64_t nowMicros(const Stream& stream) {
    if (stream.virtualClock) return static_cast<std::int64_t>(backend::milliseconds()) * 1000;
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

double microsPerTick(const Stream& stream) { return static_cast<double>(stream.tempo) / stream.timeDivision; }

// Ticks played by now; the caller holds the stream's lock, as for the rest.
double position(const Stream& stream, std::int64_t now) {
    if (!stream.running) return stream.ticksAtMark;
    return stream.ticksAtMark + static_cast<double>(now - stream.markMicros) / microsPerTick(stream);
}

// Where the sound is: on the synthesizer's clock of rendered samples when the
// events are timed by it, since a busy machine can hold its rendering back
// behind the steady clock (a piece must not end before its last notes have
// sounded); otherwise on the stream's own clock.
double soundedPosition(const Stream& stream) {
    unsigned clock;
    if (stream.running && stream.sampleTimed && winmm::synthesizerClock(&clock) && clock >= stream.clockAtMark)
        return stream.ticksAtMark + (clock - stream.clockAtMark) * 1000.0 / microsPerTick(stream);
    return position(stream, nowMicros(stream));
}

// Before a change of running or tempo: the position so far becomes the mark.
void mark(Stream& stream) {
    const std::int64_t now = nowMicros(stream);
    stream.ticksAtMark = position(stream, now);
    stream.markMicros = now;
    stream.sampleTimed = !stream.virtualClock && winmm::synthesizerClock(&stream.clockAtMark);
}

std::int64_t handAhead(const Stream& stream) { return stream.sampleTimed ? HandAhead : 0; }

// Now, or to the synthesizer for its time on the clock of rendered samples.
void play(Stream& stream, const Event& event) {
    if (!stream.sampleTimed) {
        winmm::playOnSynthesizer(event.message);
        return;
    }
    // An event taken back at a pause may lie before the mark: it plays at once.
    const double ticks = std::max(0.0, static_cast<double>(event.tick) - stream.ticksAtMark);
    const unsigned at = stream.clockAtMark + static_cast<unsigned>(std::llround(ticks * microsPerTick(stream) / 1000));
    if (winmm::playOnSynthesizerAt(event.message, at)) stream.handed.push_back(Handed{event, at});
}

// The events handed over and not yet played come back to the front of the
// queue, the synthesizer's copies dropped.
void takeBackHanded(Stream& stream) {
    unsigned clock = 0;
    if (!winmm::synthesizerClock(&clock)) stream.handed.clear();
    winmm::dropTimedMessages();
    while (!stream.handed.empty()) {
        if (stream.handed.back().at > clock) {
            stream.events.push_front(stream.handed.back().event);
            stream.events.front().counted = true;
        }
        stream.handed.pop_back();
    }
}

void finish(LPMIDIHDR header) { header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE; }

// Buffers whose events have all played are done, in the order they were queued.
void retirePlayedBuffers(Stream& stream) {
    while (!stream.buffers.empty() && stream.buffers.front().events == 0) {
        finish(stream.buffers.front().header);
        stream.buffers.pop_front();
    }
}

void playDueEvents(Stream& stream) {
    if (!stream.running) return;
    const double played = position(stream, nowMicros(stream) + handAhead(stream));
    unsigned clock;
    if (stream.sampleTimed && winmm::synthesizerClock(&clock)) {
        // A clock behind the mark is another synthesizer's, opened since: timed from now on it.
        if (clock < stream.clockAtMark) {
            mark(stream);
            stream.handed.clear();
        }
        while (!stream.handed.empty() && stream.handed.front().at <= clock) stream.handed.pop_front();
    }
    while (!stream.events.empty() && static_cast<double>(stream.events.front().tick) <= played) {
        const Event event = stream.events.front();
        stream.events.pop_front();
        play(stream, event);
        if (event.counted) continue;
        retirePlayedBuffers(stream);  // empty buffers before the event's own
        --stream.buffers.front().events;
    }
    retirePlayedBuffers(stream);
}

// When the next event falls due on the stream's clock, in microseconds; false when none will.
bool nextDueMicros(const Stream& stream, std::int64_t* due) {
    if (!stream.running || stream.events.empty()) return false;
    const double ticks = static_cast<double>(stream.events.front().tick) - stream.ticksAtMark;
    *due = stream.markMicros + static_cast<std::int64_t>(std::ceil(ticks * microsPerTick(stream))) - handAhead(stream);
    return true;
}

// Real-time scheduling where the system grants it, as audio threads ask
// (below FluidSynth's and JACK's own): a busy machine then delays an event by
// microseconds, not by whole time slices. Without it the thread runs as any other.
void askForRealTime() {
    sched_param priority{};
    priority.sched_priority = SchedulerPriority;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
}

void schedule(Stream& stream) {
    askForRealTime();
    std::unique_lock<std::mutex> hold(stream.lock);
    while (!stream.closing) {
        playDueEvents(stream);
        std::int64_t due;
        if (nextDueMicros(stream, &due))
            stream.changed.wait_until(hold, std::chrono::steady_clock::time_point(std::chrono::microseconds(due)));
        else
            stream.changed.wait(hold);
    }
}

// The events of a buffer, appended after the stream's last; false when its
// bytes are not whole events.
bool readEvents(Stream& stream, const MIDIHDR& header, std::size_t* count) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(header.lpData);
    std::uint64_t tick = stream.lastTick;
    std::deque<Event> read;
    for (DWORD at = 0; at < header.dwBytesRecorded;) {
        if (header.dwBytesRecorded - at < ShortEventBytes) return false;
        DWORD event[3];
        std::memcpy(event, bytes + at, sizeof event);
        at += ShortEventBytes;
        tick += event[0];
        if (event[2] & MEVT_F_LONG) {
            const DWORD length = (MEVT_EVENTPARM(event[2]) + 3) & ~3u;
            if (length > header.dwBytesRecorded - at) return false;
            at += length;
        } else if (MEVT_EVENTTYPE(event[2]) == MEVT_SHORTMSG) {
            read.push_back(Event{tick, MEVT_EVENTPARM(event[2])});
        }
    }
    stream.lastTick = tick;
    *count = read.size();
    stream.events.insert(stream.events.end(), read.begin(), read.end());
    return true;
}

// Every queued buffer back, done; the position back to 0; every note off.
void stop(Stream& stream) {
    winmm::dropTimedMessages();
    stream.handed.clear();
    stream.running = false;
    stream.ticksAtMark = 0;
    stream.lastTick = 0;
    stream.events.clear();
    for (const Queued& queued : stream.buffers) finish(queued.header);
    stream.buffers.clear();
    for (DWORD channel = 0; channel < 16; ++channel) winmm::playOnSynthesizer(ControlChange | channel | AllNotesOff << 8);
}

// A change to an open stream under its lock, its scheduler told.
template <typename Change>
MMRESULT changeStream(HMIDISTRM handle, Change change) {
    std::shared_ptr<Stream> stream = find(handle);
    if (!stream) return MMSYSERR_INVALHANDLE;
    std::lock_guard<std::mutex> hold(stream->lock);
    change(*stream);
    stream->changed.notify_one();
    return MMSYSERR_NOERROR;
}

bool validHeader(LPMIDIHDR header, UINT size) { return header && size >= sizeof(MIDIHDR); }

}  // namespace

MMRESULT WINAPI midiStreamOpen(LPHMIDISTRM handle, UINT* deviceId, DWORD midiCount, DWORD_PTR, DWORD_PTR,
                               DWORD flags) {
    if (!handle || !deviceId || midiCount != 1) return MMSYSERR_INVALPARAM;
    *handle = nullptr;
    if (*deviceId != MIDI_MAPPER && *deviceId != 0) return MMSYSERR_BADDEVICEID;
    if ((flags & CALLBACK_TYPEMASK) != CALLBACK_NULL) return MMSYSERR_INVALFLAG;
    if (midiOutGetNumDevs() == 0) return MIDIERR_NODEVICE;
    auto stream = std::make_shared<Stream>();
    stream->virtualClock = backend::clockIsVirtual();
    if (!stream->virtualClock) stream->scheduler = std::thread(schedule, std::ref(*stream));
    std::lock_guard<std::mutex> hold(streams.lock);
    *handle = core::newHandle<HMIDISTRM>();
    streams.open.emplace(*handle, std::move(stream));
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiStreamProperty(HMIDISTRM handle, BYTE* property, DWORD flags) {
    std::shared_ptr<Stream> stream = find(handle);
    if (!stream) return MMSYSERR_INVALHANDLE;
    const DWORD which = flags & ~(MIDIPROP_SET | MIDIPROP_GET);
    const bool set = flags & MIDIPROP_SET, get = flags & MIDIPROP_GET;
    if (!property || set == get || (which != MIDIPROP_TIMEDIV && which != MIDIPROP_TEMPO)) return MMSYSERR_INVALPARAM;
    // MIDIPROPTIMEDIV and MIDIPROPTEMPO share their layout: a size, then the value.
    auto* value = reinterpret_cast<MIDIPROPTEMPO*>(property);
    if (value->cbStruct != sizeof(MIDIPROPTEMPO)) return MMSYSERR_INVALPARAM;
    std::lock_guard<std::mutex> hold(stream->lock);
    DWORD& held = which == MIDIPROP_TIMEDIV ? stream->timeDivision : stream->tempo;
    if (get) {
        value->dwTempo = held;
        return MMSYSERR_NOERROR;
    }
    // Ticks a quarter note (the high bit would mean SMPTE frames) and a tempo above 0.
    if (value->dwTempo == 0 || (which == MIDIPROP_TIMEDIV && value->dwTempo > 0x7FFF)) return MMSYSERR_INVALPARAM;
    mark(*stream);
    held = value->dwTempo;
    stream->changed.notify_one();
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiOutPrepareHeader(HMIDIOUT handle, LPMIDIHDR header, UINT size) {
    if (!find(reinterpret_cast<HMIDISTRM>(handle))) return MMSYSERR_INVALHANDLE;
    if (!validHeader(header, size) || !header->lpData) return MMSYSERR_INVALPARAM;
    header->dwFlags |= MHDR_PREPARED | MHDR_ISSTRM;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiOutUnprepareHeader(HMIDIOUT handle, LPMIDIHDR header, UINT size) {
    std::shared_ptr<Stream> stream = find(reinterpret_cast<HMIDISTRM>(handle));
    if (!stream) return MMSYSERR_INVALHANDLE;
    if (!validHeader(header, size)) return MMSYSERR_INVALPARAM;
    std::lock_guard<std::mutex> hold(stream->lock);
    if (header->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
    header->dwFlags &= ~(MHDR_PREPARED | MHDR_ISSTRM);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiStreamOut(HMIDISTRM handle, LPMIDIHDR header, UINT size) {
    std::shared_ptr<Stream> stream = find(handle);
    if (!stream) return MMSYSERR_INVALHANDLE;
    if (!validHeader(header, size) || header->dwBufferLength > LargestBuffer ||
        header->dwBytesRecorded > header->dwBufferLength)
        return MMSYSERR_INVALPARAM;
    std::lock_guard<std::mutex> hold(stream->lock);
    if (!(header->dwFlags & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
    if (header->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
    std::size_t events;
    if (!readEvents(*stream, *header, &events)) return MMSYSERR_INVALPARAM;
    header->dwFlags = (header->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
    stream->buffers.push_back(Queued{header, events});
    retirePlayedBuffers(*stream);
    stream->changed.notify_one();
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI midiStreamRestart(HMIDISTRM handle) {
    return changeStream(handle, [](Stream& stream) {
        if (stream.running) return;
        mark(stream);
        stream.running = true;
        playDueEvents(stream);  // those at the very start go out with the call
    });
}

MMRESULT WINAPI midiStreamPause(HMIDISTRM handle) {
    return changeStream(handle, [](Stream& stream) {
        if (!stream.running) return;
        mark(stream);
        stream.running = false;
        takeBackHanded(stream);
    });
}

MMRESULT WINAPI midiStreamStop(HMIDISTRM handle) { return changeStream(handle, stop); }

// In ticks; a stream asked for another format answers in ticks, as Windows
// does for a format it does not keep.
MMRESULT WINAPI midiStreamPosition(HMIDISTRM handle, LPMMTIME time, UINT size) {
    std::shared_ptr<Stream> stream = find(handle);
    if (!stream) return MMSYSERR_INVALHANDLE;
    if (!time || size < sizeof(MMTIME)) return MMSYSERR_INVALPARAM;
    std::lock_guard<std::mutex> hold(stream->lock);
    const double ticks = soundedPosition(*stream);
    if (time->wType == TIME_MS) {
        time->u.ms = static_cast<DWORD>(ticks * microsPerTick(*stream) / 1000);
    } else {
        time->wType = TIME_TICKS;
        time->u.ticks = static_cast<DWORD>(ticks);
    }
    return MMSYSERR_NOERROR;
}

// Stops first: the buffers still queued come back done.
MMRESULT WINAPI midiStreamClose(HMIDISTRM handle) {
    std::shared_ptr<Stream> stream;
    {
        std::lock_guard<std::mutex> hold(streams.lock);
        auto found = streams.open.find(handle);
        if (found == streams.open.end()) return MMSYSERR_INVALHANDLE;
        stream = std::move(found->second);
        streams.open.erase(found);
    }
    {
        std::lock_guard<std::mutex> hold(stream->lock);
        stop(*stream);
        stream->closing = true;
    }
    stream->changed.notify_one();
    if (stream->scheduler.joinable()) stream->scheduler.join();
    return MMSYSERR_NOERROR;
}

bool core::nextMidiStreamEventDue(std::uint64_t* due) {
    std::lock_guard<std::mutex> hold(streams.lock);
    bool any = false;
    for (auto& [handle, stream] : streams.open) {
        std::lock_guard<std::mutex> holdStream(stream->lock);
        std::int64_t micros;
        if (!stream->virtualClock || !nextDueMicros(*stream, &micros)) continue;
        const std::uint64_t millis = static_cast<std::uint64_t>((micros + 999) / 1000);
        if (!any || millis < *due) *due = millis;
        any = true;
    }
    return any;
}

void core::playMidiStreams() {
    std::lock_guard<std::mutex> hold(streams.lock);
    for (auto& [handle, stream] : streams.open) {
        std::lock_guard<std::mutex> holdStream(stream->lock);
        if (stream->virtualClock) playDueEvents(*stream);
    }
}

void core::closeMidiStreams() {
    std::vector<HMIDISTRM> open;
    {
        std::lock_guard<std::mutex> hold(streams.lock);
        for (const auto& [handle, stream] : streams.open) open.push_back(handle);
    }
    for (HMIDISTRM handle : open) midiStreamClose(handle);
}
