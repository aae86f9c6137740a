// MIDI streams on the headless synthesizer: one stream taken through a table
// of calls on the virtual clock (buffers queued, paused, restarted, stopped,
// closed while playing, and the calls refused with their error codes), each
// row with what plays, where the stream stands and its buffers' flags after
// it; then the scheduler thread on the real clock.
#include "platform_fixture.h"

#include <chrono>
#include <functional>
#include <thread>

namespace {

constexpr DWORD NoteOn = 0x90, NoteOff = 0x80;
constexpr DWORD Loud = 100u << 16;
constexpr DWORD Skip = 0xFFFFFFFF;  // a column not checked in this row

DWORD note(DWORD status, DWORD key) { return status | key << 8 | (status == NoteOn ? Loud : 0); }

// A buffer of short events: (ticks after the one before, message).
struct Buffer {
    std::vector<DWORD> words;
    MIDIHDR header{};
    explicit Buffer(std::initializer_list<std::pair<DWORD, DWORD>> events) {
        for (const auto& [delta, message] : events) words.insert(words.end(), {delta, 0, message});
        header.lpData = reinterpret_cast<LPSTR>(words.data());
        header.dwBufferLength = header.dwBytesRecorded = static_cast<DWORD>(words.size() * sizeof(DWORD));
    }
};

class MidiStreamTest : public PlatformTest {
public:
    void SetUp() override {
        PlatformTest::SetUp();
        if (midiOutGetNumDevs() == 0) GTEST_SKIP() << "no synthesizer (FluidSynth and a soundfont)";
        ASSERT_EQ(midiOutOpen(&synthesizer, MIDI_MAPPER, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
        headless::recordMidiOut(true);
        UINT device = MIDI_MAPPER;
        ASSERT_EQ(midiStreamOpen(&stream, &device, 1, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    }
    void TearDown() override {
        if (stream) midiStreamClose(stream);
        if (synthesizer) midiOutClose(synthesizer);
        PlatformTest::TearDown();
    }
    HMIDIOUT streamOut() const { return reinterpret_cast<HMIDIOUT>(stream); }
    MMRESULT prepare(Buffer& buffer) { return midiOutPrepareHeader(streamOut(), &buffer.header, sizeof(MIDIHDR)); }
    MMRESULT out(Buffer& buffer) { return midiStreamOut(stream, &buffer.header, sizeof(MIDIHDR)); }
    DWORD position(UINT format = TIME_TICKS) {
        MMTIME time = {format, {}};
        EXPECT_EQ(midiStreamPosition(stream, &time, sizeof time), MMSYSERR_NOERROR);
        return time.u.ticks;
    }
    MMRESULT setProperty(DWORD which, DWORD value, DWORD size = sizeof(MIDIPROPTEMPO)) {
        MIDIPROPTEMPO property = {size, value};
        return midiStreamProperty(stream, reinterpret_cast<BYTE*>(&property), MIDIPROP_SET | which);
    }

    HMIDIOUT synthesizer = nullptr;
    HMIDISTRM stream = nullptr;
    // Ticks of 1 ms (the default tempo of 500,000 us a quarter); the second
    // buffer's first event counts from the first buffer's last.
    Buffer first{{0, note(NoteOn, 60)}, {10, note(NoteOn, 64)}, {0, note(NoteOn, 67)}};
    Buffer second{{5, static_cast<DWORD>(MEVT_NOP) << 24}, {5, note(NoteOff, 60)}};
};

struct StreamRow {
    const char* name;
    std::function<MMRESULT(MidiStreamTest&)> call;
    MMRESULT result;
    unsigned advance;                                  // virtual milliseconds after the call
    std::vector<std::pair<unsigned, DWORD>> played;    // milliseconds after the call, message
    DWORD positionAfter;                               // ticks, or Skip
    DWORD firstFlags, secondFlags;                     // the buffers' MHDR_ flags, or Skip
};

constexpr DWORD Queued = MHDR_PREPARED | MHDR_ISSTRM | MHDR_INQUEUE, Done = MHDR_PREPARED | MHDR_ISSTRM | MHDR_DONE;
std::vector<std::pair<unsigned, DWORD>> allNotesOffAt(unsigned at) {
    std::vector<std::pair<unsigned, DWORD>> played;
    for (DWORD channel = 0; channel < 16; ++channel) played.emplace_back(at, 0xB0 | channel | 123u << 8);
    return played;
}

const StreamRow streamRows[] = {
    {"1 ms ticks", [](MidiStreamTest& t) { return t.setProperty(MIDIPROP_TIMEDIV, 500); }, MMSYSERR_NOERROR, 0, {}, 0, 0, 0},
    {"an unprepared buffer", [](MidiStreamTest& t) { return t.out(t.first); }, MIDIERR_UNPREPARED, 0, {}, 0, 0, 0},
    {"a header too short", [](MidiStreamTest& t) { return midiOutPrepareHeader(t.streamOut(), &t.first.header, sizeof(MIDIHDR) - 1); },
     MMSYSERR_INVALPARAM, 0, {}, 0, 0, 0},
    {"a midiOut handle is not a stream", [](MidiStreamTest& t) { return midiOutPrepareHeader(t.synthesizer, &t.first.header, sizeof(MIDIHDR)); },
     MMSYSERR_INVALHANDLE, 0, {}, 0, 0, 0},
    {"both prepared", [](MidiStreamTest& t) { return t.prepare(t.first) | t.prepare(t.second); }, MMSYSERR_NOERROR, 0, {}, 0,
     MHDR_PREPARED | MHDR_ISSTRM, MHDR_PREPARED | MHDR_ISSTRM},
    {"a buffer of 64 KB", [](MidiStreamTest& t) { t.first.header.dwBufferLength = 65536; return t.out(t.first); },
     MMSYSERR_INVALPARAM, 0, {}, 0, Skip, Skip},
    {"bytes that are not whole events", [](MidiStreamTest& t) {
         t.first.header.dwBufferLength = 36;
         t.first.header.dwBytesRecorded = 13;
         return t.out(t.first);
     }, MMSYSERR_INVALPARAM, 0, {}, 0, Skip, Skip},
    {"queued while paused: nothing plays", [](MidiStreamTest& t) {
         t.first.header.dwBytesRecorded = 36;
         return t.out(t.first) | t.out(t.second);
     }, MMSYSERR_NOERROR, 50, {}, 0, Queued, Queued},
    {"queued twice", [](MidiStreamTest& t) { return t.out(t.first); }, MIDIERR_STILLPLAYING, 0, {}, 0, Queued, Queued},
    {"restart: each event at its tick, together when meant together", [](MidiStreamTest& t) { return midiStreamRestart(t.stream); },
     MMSYSERR_NOERROR, 12, {{0, note(NoteOn, 60)}, {10, note(NoteOn, 64)}, {10, note(NoteOn, 67)}}, 12, Done, Queued},
    {"unprepared while queued", [](MidiStreamTest& t) { return midiOutUnprepareHeader(t.streamOut(), &t.second.header, sizeof(MIDIHDR)); },
     MIDIERR_STILLPLAYING, 0, {}, 12, Done, Queued},
    {"pause holds the position", [](MidiStreamTest& t) { return midiStreamPause(t.stream); }, MMSYSERR_NOERROR, 100, {}, 12, Done, Queued},
    {"restart goes on from there", [](MidiStreamTest& t) { return midiStreamRestart(t.stream); }, MMSYSERR_NOERROR, 10,
     {{8, note(NoteOff, 60)}}, 22, Done, Done},
    {"half the tempo: ticks of 2 ms", [](MidiStreamTest& t) { return t.setProperty(MIDIPROP_TEMPO, 1000000); },
     MMSYSERR_NOERROR, 10, {}, 27, Done, Done},
    {"stop: every note off, position 0", [](MidiStreamTest& t) { return midiStreamStop(t.stream); }, MMSYSERR_NOERROR, 0,
     allNotesOffAt(0), 0, Done, Done},
    {"queued again, from tick 0", [](MidiStreamTest& t) { return t.out(t.first) | midiStreamRestart(t.stream); },
     MMSYSERR_NOERROR, 1, {{0, note(NoteOn, 60)}}, 0, Queued, Done},
    {"closed while playing: the buffer back done, nothing more plays", [](MidiStreamTest& t) {
         const MMRESULT result = midiStreamClose(t.stream);
         t.stream = nullptr;
         return result;
     }, MMSYSERR_NOERROR, 100, allNotesOffAt(0), Skip, Done, Done},
    {"unprepared once done", [](MidiStreamTest& t) {
         UINT device = 0;
         return midiStreamOpen(&t.stream, &device, 1, 0, 0, CALLBACK_NULL) | t.prepare(t.first) |
                midiOutUnprepareHeader(t.streamOut(), &t.first.header, sizeof(MIDIHDR));
     }, MMSYSERR_NOERROR, 0, {}, 0, MHDR_DONE, Done},
};

TEST_F(MidiStreamTest, PlaysItsBuffersOnTheVirtualClockThroughEveryCall) {
    for (const StreamRow& row : streamRows) {
        SCOPED_TRACE(row.name);
        headless::recordMidiOut(true);  // the log from this row on
        const DWORD start = GetTickCount();
        EXPECT_EQ(row.call(*this), row.result);
        headless::advanceClock(row.advance);
        std::vector<std::pair<unsigned, DWORD>> played;
        for (const auto& [at, message] : headless::midiOutLog()) played.emplace_back(static_cast<unsigned>(at - start), message);
        EXPECT_EQ(played, row.played);
        if (row.positionAfter != Skip) {
            EXPECT_EQ(position(), row.positionAfter);
        }
        if (row.firstFlags != Skip) {
            EXPECT_EQ(first.header.dwFlags, row.firstFlags);
        }
        if (row.secondFlags != Skip) {
            EXPECT_EQ(second.header.dwFlags, row.secondFlags);
        }
    }
}

// The calls refused before they touch a stream, and the properties' checks.
TEST_F(MidiStreamTest, RefusesBadHandlesArgumentsAndProperties) {
    HMIDISTRM other = nullptr;
    UINT device = 0, missing = 1;
    MMTIME time = {TIME_TICKS, {}};
    MIDIPROPTIMEDIV division = {sizeof division, 0};
    struct Refusal {
        const char* name;
        MMRESULT result, expected;
    } refusals[] = {
        {"a device that does not exist", midiStreamOpen(&other, &missing, 1, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID},
        {"two devices", midiStreamOpen(&other, &device, 2, 0, 0, CALLBACK_NULL), MMSYSERR_INVALPARAM},
        {"no device named", midiStreamOpen(&other, nullptr, 1, 0, 0, CALLBACK_NULL), MMSYSERR_INVALPARAM},
        {"a window callback", midiStreamOpen(&other, &device, 1, 0, 0, CALLBACK_WINDOW), MMSYSERR_INVALFLAG},
        {"a handle never opened", midiStreamRestart(reinterpret_cast<HMIDISTRM>(synthesizer)), MMSYSERR_INVALHANDLE},
        {"a null handle", midiStreamPosition(nullptr, &time, sizeof time), MMSYSERR_INVALHANDLE},
        {"a short MMTIME", midiStreamPosition(stream, &time, sizeof time - 1), MMSYSERR_INVALPARAM},
        {"set and get at once", midiStreamProperty(stream, reinterpret_cast<BYTE*>(&division),
                                                    MIDIPROP_SET | MIDIPROP_GET | MIDIPROP_TIMEDIV), MMSYSERR_INVALPARAM},
        {"a time division of 0", setProperty(MIDIPROP_TIMEDIV, 0), MMSYSERR_INVALPARAM},
        {"SMPTE frames", setProperty(MIDIPROP_TIMEDIV, 0xE728), MMSYSERR_INVALPARAM},
        {"a tempo of 0", setProperty(MIDIPROP_TEMPO, 0), MMSYSERR_INVALPARAM},
        {"a property too short", setProperty(MIDIPROP_TEMPO, 1000, sizeof(DWORD)), MMSYSERR_INVALPARAM},
        {"no such property", setProperty(0x4, 1000), MMSYSERR_INVALPARAM},
    };
    for (const Refusal& refusal : refusals) EXPECT_EQ(refusal.result, refusal.expected) << refusal.name;
    EXPECT_EQ(other, nullptr);
    division.dwTimeDiv = 1;
    EXPECT_EQ(midiStreamProperty(stream, reinterpret_cast<BYTE*>(&division), MIDIPROP_GET | MIDIPROP_TIMEDIV), MMSYSERR_NOERROR);
    EXPECT_EQ(division.dwTimeDiv, 96u) << "the default, untouched by the refused sets";
}

// The scheduler thread: every event plays, in order, and the buffer comes
// back done; a close while it waits for an event far ahead returns.
TEST_F(MidiStreamTest, PlaysOnItsOwnThreadOnTheRealClock) {
    midiStreamClose(stream);
    headless::useRealClock();
    headless::recordMidiOut(true);
    UINT device = 0;
    ASSERT_EQ(midiStreamOpen(&stream, &device, 1, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    Buffer far{{100000, note(NoteOn, 72)}};
    ASSERT_EQ(prepare(first) | prepare(far) | out(first) | out(far) | midiStreamRestart(stream), MMSYSERR_NOERROR);
    for (int wait = 0; wait < 2000 && !(first.header.dwFlags & MHDR_DONE); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(first.header.dwFlags, Done);
    std::vector<DWORD> played;
    for (const auto& [at, message] : headless::midiOutLog()) played.push_back(message);
    EXPECT_EQ(played, (std::vector<DWORD>{note(NoteOn, 60), note(NoteOn, 64), note(NoteOn, 67)}));
    EXPECT_GE(position(TIME_MS), 10u) << "the position runs on";
    EXPECT_EQ(midiStreamClose(stream), MMSYSERR_NOERROR);
    stream = nullptr;
    EXPECT_EQ(far.header.dwFlags, Done);
}

}  // namespace
