// Form1's window procedure, driven through the program's own message loop.
#include "running_program.h"

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "shell/formproc.h"
#include "shell/help.h"
#include "test_viewer.h"

#include <string>

namespace {

using FormProc = RunningProgram;

// A screen point in Form1's client area, away from the controls.
POINT clientPoint(int x, int y) {
    const RECT client = headless::clientRect(Form1);
    return {client.left + x, client.top + y};
}

std::string lastText(HDC dc) {
    const std::vector<DrawRecord>& list = headless::displayList(dc);
    for (auto record = list.rbegin(); record != list.rend(); ++record)
        if (record->kind == DrawRecord::Kind::Text) return record->text;
    return "";
}

TEST_F(FormProc, StartsByKeyWithViewerPathSet) {
    step([] {
        EXPECT_EQ(modeNumber, 1);
        EXPECT_STREQ(arrangementKeyword, "note");
        EXPECT_STREQ(viewerPath, "\\windows\\explorer.exe");
    });
    runAndQuit();
}

TEST_F(FormProc, ArrangementButtonsChangeTheViewForLaterPaints) {
    step([] { headless::clickButton(ChordButton); });
    step([] {
        EXPECT_EQ(modeNumber, 2);
        EXPECT_STREQ(displayKeyword, "dispc");
        EXPECT_STREQ(arrangementKeyword, "chord");
        SendMessageA(Form1, WM_PAINT, 0, 0);
        EXPECT_STREQ(arrangementKeyword, "chord");
        headless::clickButton(KeyButton);
    });
    step([] {
        EXPECT_EQ(modeNumber, 1);
        EXPECT_STREQ(displayKeyword, "dispn");
        EXPECT_STREQ(arrangementKeyword, "note");
    });
    runAndQuit();
}

// The form painting draws the arrangement of modeNumber, the analysis run then
// the one of displayKeyword, and writes its prompt last.
TEST_F(FormProc, PaintRunsFormPaintingThenAnalysisRun) {
    step([] {
        modeNumber = 2;
        headless::recordDrawing(true);
        headless::clearDisplayList(hpc);
        SendMessageA(Form1, WM_PAINT, 0, 0);
        headless::recordDrawing(false);
        EXPECT_STREQ(arrangementKeyword, "note");
        EXPECT_EQ(lastText(hpc), "Click on a spectral spike");
    });
    runAndQuit();
}

TEST_F(FormProc, EachPaintRereadsTheReaderFile) {
    step([this] {
        directory().write("HtmlReader.txt", "/usr/bin/first\n");
        SendMessageA(Form1, WM_PAINT, 0, 0);
        EXPECT_STREQ(viewerPath, "/usr/bin/first");
        directory().write("HtmlReader.txt", "/usr/bin/second\n");
        SendMessageA(Form1, WM_PAINT, 0, 0);
        EXPECT_STREQ(viewerPath, "/usr/bin/second");
        std::filesystem::remove(directory().path() / "HtmlReader.txt");
        SendMessageA(Form1, WM_PAINT, 0, 0);
        EXPECT_STREQ(viewerPath, "\\windows\\explorer.exe");
    });
    runAndQuit();
}

// The chord's name over the first note typed, in words where the field shows
// them whole; an empty entry names nothing. Nobody types into the name.
TEST_F(FormProc, EnterAnalysesAndNamesTheTypedNotes) {
    step([] { headless::typeText(NoteEntryField, "c e g"); });
    step([] { headless::clickButton(EnterButton); });
    step([] {
        EXPECT_EQ(enterPending, 0);
        EXPECT_STREQ(currentEntry, "c e g");
        EXPECT_EQ(textOf(NoteEntryField), "");
        EXPECT_EQ(textOf(RecognisedNotesField), "  C  E  G  ");
        EXPECT_EQ(textOf(ChordField), "C Major");
        headless::typeText(ChordField, "typed");
        headless::typeText(NoteEntryField, "e g c");
        headless::clickButton(EnterButton);
    });
    step([] {
        EXPECT_EQ(textOf(ChordField), "C Major, E in the bass");
        headless::typeText(NoteEntryField, "c c# e% g a%");  // "Ab Major 7th, C in the bass, partial 4/5"
        headless::clickButton(EnterButton);
    });
    step([] {
        EXPECT_EQ(textOf(ChordField), "Abmaj7/C?");
        headless::clickButton(EnterButton);
    });
    step([] { EXPECT_EQ(textOf(ChordField), ""); });
    runAndQuit();
}

// The viewer named in the reader file at the last paint opens the document.
TEST_F(FormProc, HelpStartsTheViewerOfTheReaderFile) {
    TestViewer viewer(directory().path());
    step([&] {
        directory().write("HtmlReader.txt", viewer.path() + "\n");
        SendMessageA(Form1, WM_PAINT, 0, 0);
        headless::clickButton(HelpButton);
    });
    runAndQuit();
    std::string document = (directory().path() / "document" / "Tonvisor.htm").string();
    EXPECT_EQ(viewer.awaitArguments(), document + "\n");
}

// Dialog navigation turns them into commands 1 and 2, which are not handled:
// the entry stays in its field and the program keeps running.
TEST_F(FormProc, ReturnAndEscapeDoNothing) {
    step([] { headless::typeText(NoteEntryField, "c e g"); });
    step([] {
        SetFocus(NoteEntryField);
        headless::pressKey(VK_RETURN, false);
    });
    step([] { headless::pressKey(VK_ESCAPE, false); });
    step([] {
        EXPECT_TRUE(IsWindow(Form1));
        EXPECT_EQ(textOf(NoteEntryField), " c e g");
        EXPECT_EQ(textOf(RecognisedNotesField), " ");
        EXPECT_STREQ(currentEntry, "");
    });
    runAndQuit();
}

TEST_F(FormProc, TabFollowsCreationOrder) {
    step([] {
        SetFocus(EnterButton);
        headless::pressKey(VK_TAB, false);
    });
    step([] {
        EXPECT_EQ(headless::focusedWindow(), NoteEntryField);
        headless::pressKey(VK_TAB, false);
    });
    step([] {
        EXPECT_EQ(headless::focusedWindow(), RecognisedNotesField);
        SetFocus(HelpButton);
        headless::pressKey(VK_TAB, true);
    });
    step([] {
        EXPECT_EQ(headless::focusedWindow(), ChordButton);
        SetFocus(HelpButton);
        headless::pressKey(VK_TAB, false);
    });
    step([] {
        EXPECT_EQ(headless::focusedWindow(), ChordField);
        headless::pressKey(VK_TAB, false);  // the MIDI status takes no focus
    });
    step([] {
        EXPECT_EQ(headless::focusedWindow(), OpenButton);
        headless::pressKey(VK_TAB, false);  // nor does the piece's
    });
    step([] { EXPECT_EQ(headless::focusedWindow(), EnterButton); });
    runAndQuit();
}

// Command 200 ends the loop without destroying the window.
TEST_F(FormProc, QuitCommandEndsWithStatusZeroAndKeepsTheWindow) {
    runAndQuit();
    EXPECT_TRUE(IsWindow(Form1));
}

TEST_F(FormProc, ClosingTheWindowEndsWithStatusZero) {
    step([] { PostMessageA(Form1, WM_CLOSE, 0, 0); });
    EXPECT_EQ(run(), 0);
    EXPECT_FALSE(IsWindow(Form1));
}

// The click position is measured from Form1's outer left and bottom edges.
TEST_F(FormProc, PressAndReleaseIdentifyAtTheReleasePosition) {
    step([] {
        POINT press = clientPoint(600, 300);
        headless::mouseDown(press.x, press.y);
    });
    step([] {
        EXPECT_EQ(buttonDown, 1);
        POINT release = clientPoint(610, 320);
        headless::mouseUp(release.x, release.y);
    });
    step([] {
        RECT outer;
        GetWindowRect(Form1, &outer);
        const POINT release = clientPoint(610, 320);
        EXPECT_EQ(buttonDown, 0);
        EXPECT_EQ(clickX, release.x - outer.left);
        EXPECT_EQ(clickY, outer.bottom - release.y);
    });
    runAndQuit();
}

TEST_F(FormProc, ReleaseWithoutPressIsIgnored) {
    step([] {
        clickX = clickY = -1;
        POINT release = clientPoint(610, 320);
        headless::mouseUp(release.x, release.y);
    });
    step([] {
        EXPECT_EQ(clickX, -1);
        EXPECT_EQ(clickY, -1);
    });
    runAndQuit();
}

// A release outside the window does not reach Form1; the next release over it
// is identified at its own position.
TEST_F(FormProc, ReleaseOutsideKeepsThePressForTheNextRelease) {
    step([] {
        clickX = clickY = -1;
        POINT press = clientPoint(600, 300);
        headless::mouseDown(press.x, press.y);
    });
    step([] {
        RECT outer;
        GetWindowRect(Form1, &outer);
        headless::mouseUp(500, outer.bottom + 10);
    });
    step([] {
        EXPECT_EQ(buttonDown, 1);
        EXPECT_EQ(clickX, -1);
        POINT release = clientPoint(200, 100);
        headless::mouseUp(release.x, release.y);
    });
    step([] {
        RECT outer;
        GetWindowRect(Form1, &outer);
        EXPECT_EQ(buttonDown, 0);
        EXPECT_EQ(clickX, clientPoint(200, 100).x - outer.left);
    });
    runAndQuit();
}

TEST_F(FormProc, ResultFieldsAndStatusHaveColoursOfTheirOwnWithFewBrushes) {
    step([] {
        HDC dc = hpc;
        WPARAM dcParam = reinterpret_cast<WPARAM>(dc);
        LRESULT brush = SendMessageA(Form1, WM_CTLCOLOREDIT, dcParam,
                                     reinterpret_cast<LPARAM>(RecognisedNotesField));
        EXPECT_NE(brush, 0);
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(Shell.notesBrush));
        int objects = headless::liveGdiObjects();
        SendMessageA(Form1, WM_CTLCOLOREDIT, dcParam, reinterpret_cast<LPARAM>(RecognisedNotesField));
        EXPECT_EQ(headless::liveGdiObjects(), objects);
        EXPECT_EQ(SetTextColor(dc, 0), RGB(255, 100, 0));
        EXPECT_EQ(SetBkColor(dc, 0), RGB(255, 255, 255));

        // The entry field gets the default answer and the brush stays.
        HBRUSH before = Shell.notesBrush;
        LRESULT entryAnswer = SendMessageA(Form1, WM_CTLCOLOREDIT, dcParam,
                                           reinterpret_cast<LPARAM>(NoteEntryField));
        EXPECT_NE(SetTextColor(dc, 0), RGB(255, 100, 0));
        EXPECT_EQ(entryAnswer, DefWindowProcA(Form1, WM_CTLCOLOREDIT, dcParam,
                                              reinterpret_cast<LPARAM>(NoteEntryField)));
        EXPECT_EQ(Shell.notesBrush, before);
        EXPECT_EQ(headless::liveGdiObjects(), objects);

        // The read-only chord field asks as a static does, and shares the brush;
        // the status gets the headings' grey on the background, one brush for good.
        const LPARAM chordField = reinterpret_cast<LPARAM>(ChordField), status = reinterpret_cast<LPARAM>(MidiStatus);
        const LRESULT chordBrush = SendMessageA(Form1, WM_CTLCOLORSTATIC, dcParam, chordField);
        EXPECT_EQ(chordBrush, reinterpret_cast<LRESULT>(Shell.notesBrush));
        EXPECT_EQ(SetTextColor(dc, 0), RGB(255, 100, 0));
        const LRESULT statusBrush = SendMessageA(Form1, WM_CTLCOLORSTATIC, dcParam, status);
        EXPECT_EQ(SetTextColor(dc, 0), RGB(210, 210, 210));
        EXPECT_EQ(SetBkColor(dc, 0), RGB(50, 140, 140));
        EXPECT_EQ(SendMessageA(Form1, WM_CTLCOLORSTATIC, dcParam, status), statusBrush);
        EXPECT_EQ(headless::liveGdiObjects(), objects);
    });
    runAndQuit();
}

}  // namespace
