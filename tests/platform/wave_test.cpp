// The wave output and input calls over the headless screen's scripted audio
// devices, and the resampling that the system's JACK devices use.
#include "platform_fixture.h"

#include "platform/drivers/rtaudio/resampler.h"

#include <cmath>
#include <cstring>

namespace {

WAVEFORMATEX pcm16(WORD channels, DWORD rate) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(2 * channels);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    return format;
}

// A header over samples of its own.
struct Buffer {
    explicit Buffer(std::vector<short> values) : samples(std::move(values)) {
        header.lpData = reinterpret_cast<LPSTR>(samples.data());
        header.dwBufferLength = static_cast<DWORD>(2 * samples.size());
    }
    std::vector<short> samples;
    WAVEHDR header{};
};

constexpr MMRESULT ok = MMSYSERR_NOERROR;

class WaveTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        window = makeWindow(400, 300);
        headless::setAudioDevices({"Microphone", "Line in"}, {"Speakers"});
    }
    // The header pointers that the messages of that kind handed back since the last call.
    std::vector<WAVEHDR*> handedBack(UINT message) {
        headless::runUntilIdle();
        std::vector<WAVEHDR*> headers;
        for (const LoggedMessage& entry : received(message)) headers.push_back(reinterpret_cast<WAVEHDR*>(entry.lParam));
        log.clear();
        return headers;
    }
    DWORD position(HWAVEOUT output, UINT type) {
        MMTIME time{};
        time.wType = type;
        EXPECT_EQ(waveOutGetPosition(output, &time, sizeof time), ok);
        EXPECT_EQ(time.wType, type);
        return time.u.sample;
    }
    HWAVEOUT openOutput(WORD channels, DWORD rate) {
        HWAVEOUT output = nullptr;
        const WAVEFORMATEX format = pcm16(channels, rate);
        EXPECT_EQ(waveOutOpen(&output, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW), ok);
        return output;
    }
    HWAVEIN openInput(UINT id) {
        HWAVEIN input = nullptr;
        const WAVEFORMATEX format = pcm16(1, 8000);
        EXPECT_EQ(waveInOpen(&input, id, &format, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW), ok);
        return input;
    }
    HWND window = nullptr;
};

TEST_F(WaveTest, AnOutputPlaysItsBuffersInStepWithTheDevicesClock) {
    ASSERT_EQ(waveOutGetNumDevs(), 1u);
    HWAVEOUT output = openOutput(2, 10000);
    // 100 stereo frames in two buffers: 5 ms each at 10 kHz.
    std::vector<short> first, second;
    for (short i = 0; i < 100; ++i) (i < 50 ? first : second).insert((i < 50 ? first : second).end(), {short(i * 300), short(-i * 300)});
    Buffer a(first), b(second);
    for (Buffer* buffer : {&a, &b}) {
        ASSERT_EQ(waveOutPrepareHeader(output, &buffer->header, sizeof(WAVEHDR)), ok);
        ASSERT_EQ(waveOutWrite(output, &buffer->header, sizeof(WAVEHDR)), ok);
    }
    EXPECT_EQ(received(MM_WOM_OPEN).size(), 0u);  // posted, not yet handled
    headless::runUntilIdle();
    EXPECT_EQ(received(MM_WOM_OPEN).size(), 1u);
    log.clear();

    headless::advanceClock(3);
    EXPECT_EQ(position(output, TIME_SAMPLES), 30u);
    EXPECT_EQ(position(output, TIME_MS), 3u);
    EXPECT_EQ(position(output, TIME_BYTES), 120u);
    EXPECT_TRUE(handedBack(MM_WOM_DONE).empty());
    headless::advanceClock(3);
    EXPECT_EQ(handedBack(MM_WOM_DONE), (std::vector<WAVEHDR*>{&a.header}));
    EXPECT_TRUE(a.header.dwFlags & WHDR_DONE);
    EXPECT_FALSE(a.header.dwFlags & WHDR_INQUEUE);
    headless::advanceClock(20);  // the queue runs dry 4 ms later: silence, the position stays
    EXPECT_EQ(handedBack(MM_WOM_DONE), (std::vector<WAVEHDR*>{&b.header}));
    EXPECT_EQ(position(output, TIME_SAMPLES), 100u);

    const std::vector<float> played = headless::takePlayedAudio("Speakers");
    ASSERT_EQ(played.size(), 2u * 260);
    for (int i = 0; i < 100; ++i) {
        EXPECT_FLOAT_EQ(played[2 * i], i * 300 / 32768.0f) << i;
        EXPECT_FLOAT_EQ(played[2 * i + 1], -i * 300 / 32768.0f) << i;
    }
    for (std::size_t i = 200; i < played.size(); ++i) EXPECT_EQ(played[i], 0.0f);
    EXPECT_TRUE(headless::takePlayedAudio("Speakers").empty());

    for (Buffer* buffer : {&a, &b}) EXPECT_EQ(waveOutUnprepareHeader(output, &buffer->header, sizeof(WAVEHDR)), ok);
    EXPECT_EQ(waveOutClose(output), ok);
    headless::runUntilIdle();
    EXPECT_EQ(received(MM_WOM_CLOSE).size(), 1u);
}

TEST_F(WaveTest, PauseHoldsThePositionAndResetHandsEverythingBack) {
    HWAVEOUT output = openOutput(1, 8000);
    Buffer tone(std::vector<short>(800, 1000));
    waveOutPrepareHeader(output, &tone.header, sizeof(WAVEHDR));
    waveOutWrite(output, &tone.header, sizeof(WAVEHDR));
    headless::advanceClock(10);
    waveOutPause(output);
    headless::advanceClock(50);
    EXPECT_EQ(position(output, TIME_SAMPLES), 80u);
    std::vector<float> played = headless::takePlayedAudio("Speakers");
    ASSERT_EQ(played.size(), 480u);
    EXPECT_EQ(played[79], 1000 / 32768.0f);
    EXPECT_EQ(played[80], 0.0f);  // paused: silence
    waveOutRestart(output);
    headless::advanceClock(5);
    EXPECT_EQ(position(output, TIME_SAMPLES), 120u);

    EXPECT_EQ(waveOutClose(output), static_cast<MMRESULT>(WAVERR_STILLPLAYING));
    EXPECT_EQ(waveOutUnprepareHeader(output, &tone.header, sizeof(WAVEHDR)), static_cast<MMRESULT>(WAVERR_STILLPLAYING));
    EXPECT_EQ(waveOutReset(output), ok);
    EXPECT_EQ(handedBack(MM_WOM_DONE), (std::vector<WAVEHDR*>{&tone.header}));
    EXPECT_EQ(position(output, TIME_SAMPLES), 0u);
    EXPECT_EQ(waveOutClose(output), ok);
    for (auto call : {waveOutPause, waveOutRestart, waveOutReset, waveOutClose})
        EXPECT_EQ(call(output), static_cast<MMRESULT>(MMSYSERR_INVALHANDLE));
}

TEST_F(WaveTest, OpeningAndQueueingCheckTheirArguments) {
    struct Case {
        const char* what;
        WAVEFORMATEX format;
        MMRESULT expected;
    };
    WAVEFORMATEX eightBit = pcm16(1, 8000), misaligned = pcm16(2, 44100), floats = pcm16(1, 48000);
    eightBit.wBitsPerSample = 8;
    misaligned.nBlockAlign = 2;
    floats.wFormatTag = 3;
    const Case cases[] = {
        {"mono 8 kHz", pcm16(1, 8000), ok},
        {"stereo 192 kHz", pcm16(2, 192000), ok},
        {"three channels", pcm16(3, 44100), WAVERR_BADFORMAT},
        {"4 kHz", pcm16(1, 4000), WAVERR_BADFORMAT},
        {"384 kHz", pcm16(2, 384000), WAVERR_BADFORMAT},
        {"8 bits", eightBit, WAVERR_BADFORMAT},
        {"a block too short", misaligned, WAVERR_BADFORMAT},
        {"floats", floats, WAVERR_BADFORMAT},
    };
    for (const Case& c : cases) {
        HWAVEOUT output = nullptr;
        EXPECT_EQ(waveOutOpen(&output, 0, &c.format, 0, 0, CALLBACK_NULL), c.expected) << c.what;
        if (output) waveOutClose(output);
    }
    const WAVEFORMATEX good = pcm16(1, 8000);
    HWAVEOUT output = nullptr;
    EXPECT_EQ(waveOutOpen(&output, 1, &good, 0, 0, CALLBACK_NULL), static_cast<MMRESULT>(MMSYSERR_BADDEVICEID));
    EXPECT_EQ(waveOutOpen(&output, 0, &good, 0x4321, 0, CALLBACK_WINDOW), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    EXPECT_EQ(waveOutOpen(&output, 0, nullptr, 0, 0, CALLBACK_NULL), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));

    ASSERT_EQ(waveOutOpen(&output, 0, &good, 0, 0, CALLBACK_NULL), ok);
    Buffer buffer(std::vector<short>(8));
    EXPECT_EQ(waveOutWrite(output, &buffer.header, sizeof(WAVEHDR)), static_cast<MMRESULT>(WAVERR_UNPREPARED));
    waveOutPrepareHeader(output, &buffer.header, sizeof(WAVEHDR));
    EXPECT_EQ(waveOutWrite(output, &buffer.header, sizeof(WAVEHDR) - 1), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    EXPECT_EQ(waveOutWrite(output, &buffer.header, sizeof(WAVEHDR)), ok);
    EXPECT_EQ(waveOutWrite(output, &buffer.header, sizeof(WAVEHDR)), static_cast<MMRESULT>(WAVERR_STILLPLAYING));
    waveOutReset(output);
    waveOutClose(output);

    char text[MAXERRORLENGTH];
    EXPECT_EQ(waveOutGetErrorTextA(WAVERR_BADFORMAT, text, sizeof text), ok);
    EXPECT_NE(std::strstr(text, "16-bit PCM"), nullptr) << text;
    EXPECT_EQ(waveOutGetErrorTextA(12345, text, sizeof text), static_cast<MMRESULT>(MMSYSERR_BADERRNUM));

    headless::setAudioDevices({}, {});
    EXPECT_EQ(waveOutGetNumDevs(), 0u);
    EXPECT_EQ(waveOutOpen(&output, WAVE_MAPPER, &good, 0, 0, CALLBACK_NULL), static_cast<MMRESULT>(MMSYSERR_NODRIVER));
    HWAVEIN input = nullptr;
    EXPECT_EQ(waveInGetNumDevs(), 0u);
    EXPECT_EQ(waveInOpen(&input, WAVE_MAPPER, &good, 0, 0, CALLBACK_NULL), static_cast<MMRESULT>(MMSYSERR_NODRIVER));
}

TEST_F(WaveTest, AnOutputLostWhilePlayingHandsItsBuffersBack) {
    HWAVEOUT output = openOutput(1, 8000);
    Buffer first(std::vector<short>(800, 1)), second(std::vector<short>(800, 2));
    for (Buffer* buffer : {&first, &second}) {
        waveOutPrepareHeader(output, &buffer->header, sizeof(WAVEHDR));
        waveOutWrite(output, &buffer->header, sizeof(WAVEHDR));
    }
    headless::advanceClock(20);
    headless::setAudioDevices({}, {});
    EXPECT_EQ(handedBack(MM_WOM_DONE), (std::vector<WAVEHDR*>{&first.header, &second.header}));
    headless::advanceClock(100);
    EXPECT_EQ(position(output, TIME_SAMPLES), 160u);
    EXPECT_EQ(waveOutWrite(output, &first.header, sizeof(WAVEHDR)), static_cast<MMRESULT>(MMSYSERR_NODRIVER));
    EXPECT_EQ(waveOutClose(output), ok);
}

TEST_F(WaveTest, InputsAreListedByNameTheFirstAsTheDefault) {
    ASSERT_EQ(waveInGetNumDevs(), 2u);
    const std::pair<UINT, const char*> names[] = {{0, "Microphone"}, {1, "Line in"}, {WAVE_MAPPER, "Microphone"}};
    for (const auto& [id, name] : names) {
        WAVEINCAPSA caps{};
        ASSERT_EQ(waveInGetDevCapsA(id, &caps, sizeof caps), ok);
        EXPECT_STREQ(caps.szPname, name);
    }
    WAVEINCAPSA caps{};
    EXPECT_EQ(waveInGetDevCapsA(2, &caps, sizeof caps), static_cast<MMRESULT>(MMSYSERR_BADDEVICEID));
    HWAVEIN input = openInput(1);
    HWAVEIN again = nullptr;
    const WAVEFORMATEX format = pcm16(1, 8000);
    EXPECT_EQ(waveInOpen(&again, 1, &format, 0, 0, CALLBACK_NULL), static_cast<MMRESULT>(MMSYSERR_ALLOCATED));
    waveInClose(input);
}

TEST_F(WaveTest, AStartedInputFillsItsBuffersInTurn) {
    HWAVEIN input = openInput(0);
    Buffer a(std::vector<short>(4)), b(std::vector<short>(4)), c(std::vector<short>(4));
    for (Buffer* buffer : {&a, &b, &c}) {
        ASSERT_EQ(waveInPrepareHeader(input, &buffer->header, sizeof(WAVEHDR)), ok);
        ASSERT_EQ(waveInAddBuffer(input, &buffer->header, sizeof(WAVEHDR)), ok);
    }
    headless::feedAudio("Microphone", {0.9f, 0.9f});  // not started: lost
    waveInStart(input);
    headless::feedAudio("Line in", {0.9f});          // another device
    headless::feedAudio("Microphone", {0.5f, -0.5f, 1.0f, -1.0f, 0.25f, 2.0f});
    EXPECT_EQ(handedBack(MM_WIM_DATA), (std::vector<WAVEHDR*>{&a.header}));
    EXPECT_EQ(a.samples, (std::vector<short>{16384, -16384, 32767, -32768}));
    EXPECT_EQ(a.header.dwBytesRecorded, 8u);
    EXPECT_TRUE(a.header.dwFlags & WHDR_DONE);

    waveInStop(input);  // the buffer being filled goes back with what it holds
    EXPECT_EQ(handedBack(MM_WIM_DATA), (std::vector<WAVEHDR*>{&b.header}));
    EXPECT_EQ(b.header.dwBytesRecorded, 4u);
    EXPECT_EQ(b.samples[1], 32767);
    EXPECT_EQ(waveInClose(input), static_cast<MMRESULT>(WAVERR_STILLPLAYING));
    EXPECT_EQ(waveInReset(input), ok);
    EXPECT_EQ(handedBack(MM_WIM_DATA), (std::vector<WAVEHDR*>{&c.header}));
    EXPECT_EQ(c.header.dwBytesRecorded, 0u);
    EXPECT_EQ(waveInUnprepareHeader(input, &c.header, sizeof(WAVEHDR)), ok);
    EXPECT_EQ(waveInAddBuffer(input, &c.header, sizeof(WAVEHDR)), static_cast<MMRESULT>(WAVERR_UNPREPARED));
    EXPECT_EQ(waveInClose(input), ok);
    headless::runUntilIdle();
    EXPECT_EQ(received(MM_WIM_CLOSE).size(), 1u);
    for (auto call : {waveInStart, waveInStop, waveInReset, waveInClose})
        EXPECT_EQ(call(input), static_cast<MMRESULT>(MMSYSERR_INVALHANDLE));
}

TEST_F(WaveTest, AnInputLostWhileListeningStopsShortAndOpensAgainWhenBack) {
    HWAVEIN input = openInput(0);
    Buffer a(std::vector<short>(4)), b(std::vector<short>(4));
    for (Buffer* buffer : {&a, &b}) {
        waveInPrepareHeader(input, &buffer->header, sizeof(WAVEHDR));
        waveInAddBuffer(input, &buffer->header, sizeof(WAVEHDR));
    }
    waveInStart(input);
    headless::feedAudio("Microphone", {0.1f});
    headless::runUntilIdle();
    log.clear();
    headless::setAudioDevices({"Line in"}, {});
    EXPECT_EQ(handedBack(MM_WIM_DATA), (std::vector<WAVEHDR*>{&a.header, &b.header}));
    EXPECT_EQ(a.header.dwBytesRecorded, 2u);
    EXPECT_EQ(waveInAddBuffer(input, &a.header, sizeof(WAVEHDR)), static_cast<MMRESULT>(MMSYSERR_NODRIVER));
    EXPECT_EQ(waveInClose(input), ok);

    headless::setAudioDevices({"Line in", "Microphone"}, {});
    ASSERT_EQ(waveInGetNumDevs(), 2u);
    HWAVEIN back = openInput(1);
    waveInAddBuffer(back, &a.header, sizeof(WAVEHDR));
    waveInStart(back);
    headless::feedAudio("Microphone", {0.5f, 0.5f, 0.5f, 0.5f});
    EXPECT_EQ(handedBack(MM_WIM_DATA), (std::vector<WAVEHDR*>{&a.header}));
    waveInReset(back);
    waveInClose(back);
}

}  // namespace

namespace {

// The resampler behind JACK streams: the same rate passes samples through,
// whatever the blocks; another keeps the tone's pitch.
TEST(Resampler, KeepsSamplesAndPitchAcrossBlocks) {
    std::vector<float> tone(4800);
    for (std::size_t i = 0; i < tone.size(); ++i) tone[i] = std::sin(2 * M_PI * 440 * i / 48000.0);
    struct Case {
        unsigned from, to;
    };
    for (const Case c : {Case{48000, 48000}, Case{48000, 44100}, Case{48000, 8000}, Case{48000, 96000}}) {
        wave::Resampler resampler(c.from, c.to, 1);
        std::vector<float> out;
        for (std::size_t at = 0, block = 1; at < tone.size(); at += block, block = block % 300 + 97)
            resampler.push(tone.data() + at, std::min(block, tone.size() - at), out);
        const double expectedFrames = tone.size() * double(c.to) / c.from;
        EXPECT_NEAR(double(out.size()), expectedFrames, 2.0) << c.to;
        const double tolerance = c.from == c.to ? 1e-6 : 2e-3;
        for (std::size_t i = 0; i < out.size(); ++i)
            ASSERT_NEAR(out[i], std::sin(2 * M_PI * 440 * i / c.to), tolerance) << c.to << " at " << i;
    }
}

}  // namespace
