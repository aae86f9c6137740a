// midiOutOpen as the real program meets it, through audio drivers: with no
// synthesizer it returns an error, says why, prints nothing, and never hangs,
// not even on the two servers known to hang; with a real server it opens.
// Each opening runs in a probe process of its own, in an environment made
// for the case; every server is private, started and stopped here.
#include "tests/support/child_process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using testing::StartsWith;

// A hang would stop the test here instead of at the test's own time-out.
constexpr std::chrono::seconds ProbePatience{30};
constexpr std::chrono::seconds ServerPatience{10};

std::string readAll(const fs::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct ProbeRun {
    int status;
    std::string out, err;
};

class MidiOutOpening : public testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = fs::path(testing::TempDir()) / ("tonvisor-midi-out-" + std::to_string(getpid()));
        fs::create_directories(scratch / "home");
        fs::create_directories(scratch / "run");
        std::ofstream(scratch / "no-devices.conf");  // ALSA finds no card, even on a machine with one
        // Were JACK to start a server, it would run this one.
        const fs::path fakeServer = scratch / "home" / "fake-jackd";
        std::ofstream(fakeServer) << "#!/bin/sh\ntouch '" << (scratch / "jack-server-started").string() << "'\n";
        fs::permissions(fakeServer, fs::perms::owner_all);
        std::ofstream(scratch / "home" / ".jackdrc") << fakeServer.string() << " -d dummy\n";
    }
    static void TearDownTestSuite() { fs::remove_all(scratch); }

    // Nothing to be found: no pulse server, no JACK server of this name, no ALSA card.
    static std::vector<std::string> nothingRunning() {
        return {"HOME=" + (scratch / "home").string(), "XDG_RUNTIME_DIR=" + (scratch / "run").string(),
                "PULSE_SERVER=unix:" + (scratch / "no-pulse").string(),
                "JACK_DEFAULT_SERVER=tonvisor-absent-" + std::to_string(getpid()),
                "ALSA_CONFIG_PATH=" + (scratch / "no-devices.conf").string()};
    }

    // Runs the probe with nothingRunning() and then the settings.
    static ProbeRun probe(const std::vector<std::string>& settings, const char* what = nullptr) {
        std::vector<std::string> environment = nothingRunning();
        environment.insert(environment.end(), settings.begin(), settings.end());
        // The probe guards against JACK's server start itself: none inherited.
        environment = environmentWith({"JACK_NO_START_SERVER", "TONVISOR_AUDIO_DRIVER", "TONVISOR_SOUNDFONT"},
                                      environment);
        std::vector<std::string> argv = {SOUND_PROBE_PATH};
        if (what) argv.emplace_back(what);
        ChildProcess child(argv, environment, scratch / "probe.out", scratch / "probe.err");
        const int status = child.wait(ProbePatience);
        return {status, readAll(scratch / "probe.out"), readAll(scratch / "probe.err")};
    }

    // Starts a server in the nothingRunning() environment.
    static std::unique_ptr<ChildProcess> startServer(const std::vector<std::string>& argv,
                                                     const std::vector<std::string>& settings = {}) {
        std::vector<std::string> environment = nothingRunning();
        environment.insert(environment.end(), settings.begin(), settings.end());
        return std::make_unique<ChildProcess>(argv, environmentWith({}, environment));
    }

    static bool waitForSocket(const fs::path& path) {
        const auto end = std::chrono::steady_clock::now() + ServerPatience;
        while (!socketAccepts(path)) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    static fs::path scratch;
};

fs::path MidiOutOpening::scratch;

TEST_F(MidiOutOpening, WithoutSoundItFailsQuicklyWithAReasonAndPrintsNothing) {
    struct Case {
        const char* what;
        std::vector<std::string> settings;
        const char* line;
    };
    const Case cases[] = {
        {"no soundfont", {"TONVISOR_SOUNDFONT=/nonexistent/none.sf2"}, "devices 0 open 68: no soundfont"},
        {"not a soundfont", {"TONVISOR_SOUNDFONT=/etc/hostname"}, "devices 1 open 68: no soundfont"},
        {"sound switched off", {"TONVISOR_AUDIO_DRIVER=none"}, "devices 1 open 6: sound is off"},
        {"a driver this program does not use", {"TONVISOR_AUDIO_DRIVER=file"}, "devices 1 open 6: TONVISOR_AUDIO_DRIVER is 'file'"},
        {"pulseaudio without a server", {"TONVISOR_AUDIO_DRIVER=pulseaudio"}, "devices 1 open 6: no audio output through pulseaudio"},
        {"jack without a server", {"TONVISOR_AUDIO_DRIVER=jack"}, "devices 1 open 6: no audio output through jack"},
        {"alsa without a card", {"TONVISOR_AUDIO_DRIVER=alsa"}, "devices 1 open 6: no audio output through alsa"},
        {"every driver in turn", {}, "devices 1 open 6: no audio output: pulseaudio, jack and alsa all failed"},
    };
    for (const Case& scenario : cases) {
        SCOPED_TRACE(scenario.what);
        const ProbeRun run = probe(scenario.settings);
        EXPECT_EQ(run.status, 0) << "-1: midiOutOpen never returned";
        EXPECT_THAT(run.out, StartsWith(scenario.line));
        EXPECT_EQ(run.err, "");  // the program's own one line is all a user sees
    }
    EXPECT_FALSE(fs::exists(scratch / "jack-server-started")) << "JACK was left to start a server";
}

// PipeWire's pulse server without its session manager accepts a stream and
// never links it: FluidSynth would wait for ever.
TEST_F(MidiOutOpening, APulseServerThatNeverPlaysIsGivenUp) {
    const fs::path runtime = scratch / "pipewire";
    fs::create_directories(runtime);
    const std::vector<std::string> privateRuntime = {"XDG_RUNTIME_DIR=" + runtime.string()};
    auto pipewire = startServer({"pipewire"}, privateRuntime);
    ASSERT_TRUE(waitForSocket(runtime / "pipewire-0")) << "pipewire did not start";
    auto pulse = startServer({"pipewire-pulse"}, privateRuntime);
    ASSERT_TRUE(waitForSocket(runtime / "pulse" / "native")) << "pipewire-pulse did not start";

    const ProbeRun run = probe({"TONVISOR_AUDIO_DRIVER=pulseaudio", "PULSE_SERVER=unix:" + (runtime / "pulse" / "native").string()});
    EXPECT_EQ(run.status, 0) << "-1: midiOutOpen never returned";
    EXPECT_THAT(run.out, StartsWith("devices 1 open 6: no audio output through pulseaudio"));
    EXPECT_EQ(run.err, "");
}

// The wave calls over the system's devices: none without a server; a pulse
// server that never plays given up within the open's patience; a JACK
// server's ports opened. Never a hang, never a word on standard error.
TEST_F(MidiOutOpening, TheAudioInputAndOutputOpenWhereASoundServerAnswers) {
    EXPECT_THAT(probe({}, "wave").out, StartsWith("inputs 0 open 6 outputs 0 open 6"));

    const fs::path runtime = scratch / "pipewire-wave";
    fs::create_directories(runtime);
    const std::vector<std::string> privateRuntime = {"XDG_RUNTIME_DIR=" + runtime.string()};
    {
        auto pipewire = startServer({"pipewire"}, privateRuntime);
        ASSERT_TRUE(waitForSocket(runtime / "pipewire-0")) << "pipewire did not start";
        auto pulse = startServer({"pipewire-pulse"}, privateRuntime);
        ASSERT_TRUE(waitForSocket(runtime / "pulse" / "native")) << "pipewire-pulse did not start";
        const char* source = std::getenv("TONVISOR_SOURCE_DIR");
        const std::string pulseLeaks = std::string(source ? source : ".") + "/tests/platform/libpulse.supp";
        const ProbeRun run = probe({"TONVISOR_AUDIO_DRIVER=pulseaudio", "LSAN_OPTIONS=print_suppressions=0:suppressions=" + pulseLeaks,
                                    "PULSE_SERVER=unix:" + (runtime / "pulse" / "native").string()},
                                   "wave");
        EXPECT_EQ(run.status, 0) << "-1: an open never returned";
        EXPECT_THAT(run.out, StartsWith("inputs 1 open 6 outputs 1 open 6"));
        EXPECT_EQ(run.err, "");
    }

    const std::string server = "tonvisor-wave-" + std::to_string(getpid());
    auto jackd = startServer({"jackd", "-n", server, "-d", "dummy", "-r", "48000", "-p", "256"}, {"JACK_NO_START_SERVER=1"});
    ChildProcess ready({"jack_wait", "-w", "-s", server, "-t", std::to_string(ServerPatience.count())},
                       environmentWith({}, nothingRunning()));
    ASSERT_EQ(ready.wait(ServerPatience + std::chrono::seconds(5)), 0) << "jackd did not start";
    const ProbeRun run = probe({"JACK_DEFAULT_SERVER=" + server}, "wave");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, StartsWith("inputs 1 open 0 outputs 1 open 0"));
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(fs::exists(scratch / "jack-server-started")) << "JACK was left to start a server";
}

// The order falls through a missing pulse server to a JACK server.
TEST_F(MidiOutOpening, ARealJackServerIsPlayedThroughWhenPulseIsAbsent) {
    const std::string server = "tonvisor-test-" + std::to_string(getpid());
    auto jackd = startServer({"bash", JACK_LIB_PATH, server}, {"E2E_ARTIFACTS=" + scratch.string()});
    ChildProcess ready({"jack_wait", "-w", "-s", server, "-t", std::to_string(ServerPatience.count())},
                       environmentWith({}, nothingRunning()));
    ASSERT_EQ(ready.wait(ServerPatience + std::chrono::seconds(5)), 0) << "jackd did not start";

    const ProbeRun run = probe({"JACK_DEFAULT_SERVER=" + server});
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, StartsWith("devices 1 open 0: no error"));
    EXPECT_EQ(run.err, "");
}

}  // namespace
