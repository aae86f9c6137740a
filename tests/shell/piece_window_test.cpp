// The piece window in the whole program on the headless screen: a MIDI file
// named on the command line, chosen in the open dialog or dropped; its
// spectrogram's cells; moments clicked and stepped to in the main window;
// zooming and scrolling (the wheel, the keys, the scroll bar); playing on time with the main window following;
// a recording playing its own samples with the cursor at the device's position; and files that cannot be read.
#include "analysis/analysis.h"
#include "analysis/naming.h"
#include "piece/piece_file.h"
#include "piecewindow/bitmap.h"
#include "piecewindow/piece_window.h"
#include "piecewindow/playback.h"
#include "piecewindow/view.h"
#include "platform/seam/core.h"
#include "shell/sounding.h"
#include "tests/audio/tones.h"
#include "tests/shell/running_program.h"
#include "tests/support/pixels.h"
#include "tests/support/test_pieces.h"

#include <cmath>

namespace {

class PieceWindowTest : public RunningProgram {
protected:
    void SetUp() override {
        RunningProgram::SetUp();
        directory().write("song.mid", writePiece(popProgression(Texture::Block)).midi);
        std::string error;
        ASSERT_TRUE(readPiece("song.mid", piece_, error)) << error;
        ASSERT_EQ(piece_.segments.size(), 8u);
    }
    // The program started as "tonvisor song.mid", the steps run, then the loop ended.
    void runAndQuitWithThePiece() {
        step([] { PostMessageA(Form1, WM_COMMAND, 200, 0); });
        EXPECT_EQ(runApplication(GetModuleHandleA(nullptr), "song.mid"), 0);
    }

    // The middle of a moment of the spectrogram, on the screen.
    static POINT screenPointAt(double time) {
        const RECT client = headless::clientRect(PieceWindow.window);
        const RECT area = pieceLayout().spectrogram;
        return {client.left + xOfTime(time), client.top + (area.top + area.bottom) / 2};
    }
    static void clickAt(double time) {
        const POINT point = screenPointAt(time);
        headless::mouseDown(point.x, point.y);
        headless::mouseUp(point.x, point.y);
    }
    static double middleOf(const PieceSegment& segment) { return (segment.start + segment.end) / 2; }
    // The main window as if these notes had been typed and entered.
    static std::string chordShown() { return textOf(ChordField); }
    static float spike(int type, int pitchClass) { return matchScore(type, displayRootOf(pitchClass)); }

    Piece piece_;
};

constexpr int Minor = 0, Major = 1;

TEST_F(PieceWindowTest, OpensFromTheCommandLineAndShowsTheMomentsClickedAndSteppedTo) {
    const Piece& piece = piece_;
    step([] {
        ASSERT_TRUE(IsWindow(PieceWindow.window));
        EXPECT_EQ(textOf(PieceWindow.window), "song.mid");
        EXPECT_EQ(textOf(Form1), "Tonvisor V1.0");
        EXPECT_EQ(textOf(PieceStatus), "Piece: " + PieceWindow.piece.title);
        // The whole piece fits at first.
        const RECT area = pieceLayout().spectrogram;
        EXPECT_EQ(xOfTime(0), area.left);
        EXPECT_NEAR(xOfTime(PieceWindow.piece.duration), area.right, 1);
    });
    step([&piece] {
        clickAt(middleOf(piece.segments[1]));  // A minor
    });
    step([&piece] {
        EXPECT_EQ(chordShown(), "A Minor");
        EXPECT_EQ(textOf(RecognisedNotesField).find_first_not_of(" ACE"), std::string::npos);
        EXPECT_FLOAT_EQ(spike(Minor, 9), 2.0f);
        EXPECT_NEAR(PieceWindow.cursorTime, middleOf(piece.segments[1]), 0.02);
        headless::pressKey(VK_RIGHT, false);
    });
    step([&piece] {
        EXPECT_EQ(chordShown(), "F Major");
        EXPECT_DOUBLE_EQ(PieceWindow.cursorTime, piece.segments[2].start);
        headless::pressKey(VK_LEFT, false);  // from a segment's start: the one before
    });
    step([&piece] {
        EXPECT_EQ(chordShown(), "A Minor");
        EXPECT_DOUBLE_EQ(PieceWindow.cursorTime, piece.segments[1].start);
    });
    runAndQuitWithThePiece();
}

// Each cell is its spike's colour scaled toward the ground by the score: the
// exact chord in full colour, a chord that shares nothing the ground itself.
TEST_F(PieceWindowTest, CellsTakeTheirSpikesColourByScoreInTheMainWindowsArrangement) {
    const Piece& piece = piece_;
    step([&piece] {
        const PieceColumn& column = piece.columns.front();  // C major
        cairo_surface_t* image = core::backingImage(PieceWindow.window);
        const RECT area = pieceLayout().spectrogram;
        const int x = xOfTime((column.start + column.end) / 2);
        for (bool byChord : {false, true}) {
            headless::clickButton(byChord ? ChordButton : KeyButton);
            headless::runUntilIdle();
            for (int slot = 0; slot < ChordRows; ++slot) {
                int colour;
                const int cell = cellOfSlot(slot, byChord, &colour);
                const int row = ChordRows - 1 - slot;
                const int y = area.top + (row * (area.bottom - area.top) + ChordRows - 1) / ChordRows;  // its first pixel
                const std::uint32_t expected = cellColour(colour, column.scores[cell]);
                EXPECT_EQ(pixelAt(image, x, y), (Rgb{static_cast<int>(expected >> 16), static_cast<int>(expected >> 8 & 0xFF),
                                                     static_cast<int>(expected & 0xFF)}))
                    << "slot " << slot << (byChord ? " by chord" : " by key");
            }
        }
        EXPECT_EQ(cellColour(Major, 2.0f), 0x8C5A46u) << "pen 21";  // C major by key, as its spike
        EXPECT_EQ(cellColour(Major, 0.0f), groundColour());
    });
    runAndQuitWithThePiece();
}

struct ViewCase {
    const char* name;
    void (*act)(POINT inside);
    double zoom;    // of the fitting zoom, afterwards
    bool scrolled;  // away from the start
};

const ViewCase viewCases[] = {
    {"Ctrl+wheel zooms in", [](POINT p) { headless::turnWheel(p.x, p.y, WHEEL_DELTA, true); }, 1.25, true},
    {"+ zooms in", [](POINT) { headless::pressKey(VK_OEM_PLUS, false); }, 1.25, false},
    {"- stops at the whole piece", [](POINT) { headless::pressKey(VK_OEM_MINUS, false); }, 1.0, false},
    {"the wheel scrolls a zoomed view",
     [](POINT p) {
         headless::pressKey(VK_ADD, false);
         headless::runUntilIdle();
         headless::turnWheel(p.x, p.y, -WHEEL_DELTA, false);
     },
     1.25, true},
    {"the scroll bar's thumb dragged",
     [](POINT) {
         headless::pressKey(VK_ADD, false);
         headless::runUntilIdle();
         headless::dragScrollBar(PieceWindow.scrollBar, 100);
     },
     1.25, true},
    {"the wheel leaves the whole piece in place", [](POINT p) { headless::turnWheel(p.x, p.y, -WHEEL_DELTA, false); },
     1.0, false},
};

TEST_F(PieceWindowTest, ZoomsAndScrollsWithinThePiece) {
    for (const ViewCase& view : viewCases) {
        step([&view] {
            fitWholePiece();
            const double fit = PieceWindow.view.pixelsPerSecond;
            SetFocus(PieceWindow.window);
            view.act(screenPointAt(PieceWindow.piece.duration * 3 / 4));
            headless::runUntilIdle();
            EXPECT_NEAR(PieceWindow.view.pixelsPerSecond / fit, view.zoom, 1e-9) << view.name;
            EXPECT_EQ(PieceWindow.view.scrollX > 0, view.scrolled) << view.name;
            SCROLLINFO bar = {sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
            GetScrollInfo(PieceWindow.scrollBar, SB_CTL, &bar);
            EXPECT_EQ(bar.nPos, PieceWindow.view.scrollX) << view.name << ": the scroll bar shows the view";
            EXPECT_EQ(static_cast<int>(bar.nPage), pieceLayout().spectrogram.right - pieceLayout().spectrogram.left);
        });
    }
    runAndQuitWithThePiece();
}

// Each message goes out when its time comes on the virtual clock; the cursor
// and the main window's chord follow; Stop silences every channel.
TEST_F(PieceWindowTest, PlaysOnTimeWithTheCursorAndTheMainWindowFollowing) {
    const Piece& piece = piece_;
    static std::uint64_t started;
    step([] { headless::advanceClock(OpenDelay); });
    step([] {
        headless::recordMidiOut(true);
        started = GetTickCount();
        headless::clickButton(PieceWindow.playButton);
        headless::runUntilIdle();
        headless::advanceClock(5000);
    });
    step([&piece] {
        EXPECT_TRUE(PieceWindow.playback.playing);
        EXPECT_NEAR(PieceWindow.cursorTime, 5.0, 0.02);
        EXPECT_EQ(chordShown(), "F Major");  // 4 s to 6 s
        headless::advanceClock(static_cast<unsigned>(piece.duration * 1000) + 100);
    });
    step([&piece] {
        EXPECT_FALSE(PieceWindow.playback.playing);  // the end stops it
        std::vector<std::pair<std::uint64_t, DWORD>> sent = headless::midiOutLog();
        std::size_t matched = 0;
        for (const TimedMessage& message : piece.messages) {
            if ((message.message & 0xF0) != 0x90 || !(message.message >> 16)) continue;
            const auto found = std::find_if(sent.begin(), sent.end(), [&](const auto& s) { return s.second == message.message; });
            ASSERT_NE(found, sent.end());
            EXPECT_LE(std::fabs(static_cast<double>(found->first - started) - message.time * 1000), 2.0)
                << "note-on " << std::hex << message.message << " due at " << message.time << " s";
            sent.erase(found);
            ++matched;
        }
        EXPECT_GT(matched, 20u);
        for (int channel = 0; channel < 16; ++channel)
            EXPECT_NE(std::find_if(sent.begin(), sent.end(),
                                   [channel](const auto& s) { return s.second == (0xB0u | channel | 120u << 8); }),
                      sent.end())
                << "all sound off on channel " << channel + 1;
    });
    runAndQuitWithThePiece();
}

// A recording: a chord whose samples change every sample, so that each
// stretch played names where in the file it comes from.
constexpr int ToneRate = 11025;
const std::vector<float>& tone() {
    static const std::vector<float> samples =
        renderNotes({{261.63, 0, 3}, {329.63, 0, 3}, {392.0, 0, 3}}, ToneRate, 3.0);
    return samples;
}

// The samples the open device says it has played since its last reset; 0 when none is open.
std::int64_t devicePosition() {
    MMTIME position = {TIME_SAMPLES, {}};
    if (!PieceWindow.recording.device) return 0;
    EXPECT_EQ(waveOutGetPosition(PieceWindow.recording.device, &position, sizeof position), MMSYSERR_NOERROR);
    return position.u.sample;
}

struct RecordingStep {
    const char* name;
    void (*act)();       // null: a click at cursorAfter
    double cursorAfter;  // seconds, where the cursor stands once done
    bool sounds;         // the device plays on from there
};

const RecordingStep recordingSteps[] = {
    {"Play from the start", [] { headless::clickButton(PieceWindow.playButton); }, 0.0, true},
    {"Pause keeps the position", [] { headless::clickButton(PieceWindow.pauseButton); }, 0.5, false},
    {"space goes on from there", [] { headless::pressKey(VK_SPACE, false); }, 0.5, true},
    {"a click plays from the moment clicked", nullptr, 2.0, true},
    {"Stop goes back to the start", [] { headless::clickButton(PieceWindow.stopButton); }, 0.0, false},
    {"Play after Stop starts again", [] { headless::clickButton(PieceWindow.playButton); }, 0.0, true},
};

// Each step for half a second: what the device played is the file's samples
// from the cursor on, then silence; the cursor is where the device says it is.
TEST_F(PieceWindowTest, PlaysARecordingsSamplesWithTheCursorAtTheDevicesPosition) {
    directory().write("tone.wav", wavBytes(tone(), ToneRate, 1, 16, false));
    headless::setAudioDevices({}, {"Speakers"});
    for (const RecordingStep& row : recordingSteps) {
        step([&row] {
            headless::takePlayedAudio("Speakers");
            if (row.act)
                row.act();
            else
                clickAt(row.cursorAfter);
            headless::runUntilIdle();
            EXPECT_NEAR(PieceWindow.cursorTime, row.cursorAfter, 0.02) << row.name;
            const std::int64_t start = std::llround(PieceWindow.cursorTime * ToneRate);
            const std::int64_t before = devicePosition();
            headless::advanceClock(500);
            const std::vector<float> played = headless::takePlayedAudio("Speakers");
            const std::int64_t moved = devicePosition() - before;
            EXPECT_EQ(PieceWindow.playback.playing, row.sounds) << row.name;
            if (row.sounds) {
                EXPECT_NEAR(moved, ToneRate / 2, ToneRate / 50) << row.name;
                EXPECT_NEAR(playbackTime(), static_cast<double>(start + moved) / ToneRate, 1e-9) << row.name;
                EXPECT_NEAR(PieceWindow.cursorTime, playbackTime(), 0.02) << row.name;
            } else {
                EXPECT_EQ(moved, 0) << row.name;
            }
            std::size_t wrong = 0;
            for (std::size_t i = 0; i < played.size(); ++i) {
                const float expected = static_cast<std::int64_t>(i) < moved ? tone()[start + i] : 0.0f;
                wrong += std::fabs(played[i] - expected) > 3.0f / 32768;
            }
            EXPECT_EQ(wrong, 0u) << row.name << ": " << played.size() << " samples from " << start;
        });
    }
    step([] {  // the end stops it and lets the device go
        clickAt(2.9);
        headless::runUntilIdle();
        headless::advanceClock(500);
        EXPECT_FALSE(PieceWindow.playback.playing);
        EXPECT_EQ(PieceWindow.recording.device, nullptr);
        EXPECT_EQ(PieceWindow.cursorTime, 0.0);
    });
    step([] { PostMessageA(Form1, WM_COMMAND, 200, 0); });
    EXPECT_EQ(runApplication(GetModuleHandleA(nullptr), "tone.wav"), 0);
}

// No audio device: the recording opens and its cursor runs on the clock,
// and standard error says once why nothing sounds.
TEST_F(PieceWindowTest, PlaysARecordingSilentlyWithoutAnAudioDevice) {
    directory().write("tone.wav", wavBytes(tone(), ToneRate, 1, 16, false));
    headless::setAudioDevices({}, {});
    testing::internal::CaptureStderr();
    for (int time = 0; time < 2; ++time) {
        step([] {
            headless::clickButton(PieceWindow.playButton);
            headless::runUntilIdle();
            headless::advanceClock(1000);
            EXPECT_NEAR(PieceWindow.cursorTime, 1.0, 0.02);
            headless::clickButton(PieceWindow.stopButton);
        });
    }
    step([] { PostMessageA(Form1, WM_COMMAND, 200, 0); });
    EXPECT_EQ(runApplication(GetModuleHandleA(nullptr), "tone.wav"), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    const std::string line = "No sound for the recording: ";
    const std::size_t first = said.find(line);
    ASSERT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find(line, first + 1), std::string::npos) << said;
}

struct OpeningCase {
    const char* name;
    void (*open)();
    bool opens;
};

const OpeningCase openingCases[] = {
    {"chosen in the open dialog", [] { headless::answerOpenDialog("song.mid"); headless::clickButton(OpenButton); }, true},
    {"dropped on the main window", [] { headless::dropFiles(Form1, {"song.mid"}); }, true},
    {"the open dialog cancelled", [] { headless::answerOpenDialog(""); headless::clickButton(OpenButton); }, false},
    {"a text file named .mid", [] { headless::answerOpenDialog("text.mid"); headless::clickButton(OpenButton); }, false},
    {"a directory dropped", [] { headless::dropFiles(Form1, {"."}); }, false},
    {"a file that is not there", [] { headless::dropFiles(Form1, {"gone.mid"}); }, false},
};

TEST_F(PieceWindowTest, OpensWhatCanBeReadAndNamesWhatCannotInAMessageBox) {
    directory().write("text.mid", "MThd is what a MIDI file starts with, but this is a letter.\n");
    for (const OpeningCase& opening : openingCases) {
        step([&opening] {
            const std::size_t boxes = headless::messageBoxes().size();
            const bool hadPiece = PieceWindow.hasPiece;
            opening.open();
            headless::runUntilIdle();
            EXPECT_EQ(PieceWindow.hasPiece, opening.opens || hadPiece) << opening.name;
            if (opening.opens) {
                EXPECT_EQ(textOf(PieceWindow.window), "song.mid") << opening.name;
            }
            const bool failed = !opening.opens && std::string(opening.name) != "the open dialog cancelled";
            ASSERT_EQ(headless::messageBoxes().size(), boxes + failed) << opening.name;
            if (failed) {
                EXPECT_NE(headless::messageBoxes().back().find("Tonvisor cannot open"), std::string::npos);
            }
        });
    }
    runAndQuit();
}

}  // namespace
