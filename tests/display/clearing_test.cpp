// What a switch of arrangement or a new entry clears must leave nothing of the
// picture before it: no stripes between the clearing lines on a tall screen,
// no tail of the by-key axis names beside the by-chord labels.
#include "form_fixture.h"
#include "shell/form.h"
#include "shell/formproc.h"

namespace {

const COLORREF background = RGB(50, 140, 140);

class Clearing : public FormTest {
protected:
    void enterAndSwitch(const char* notes, int arrangementButton) {
        SetWindowTextA(NoteEntryField, notes);
        formProc(Form1, WM_COMMAND, 101, 0);
        formProc(Form1, WM_COMMAND, arrangementButton, 0);
    }

    // The pixels of a plot rectangle that show the colour.
    int countInPlotArea(double left, double bottom, double right, double top, COLORREF colour) {
        int found = 0;
        for (int y = py(top); y <= py(bottom); y++)
            for (int x = px(left); x <= px(right); x++) found += pixelAt(x, y) == colour;
        return found;
    }
};

TEST_F(Clearing, ThePanelFillLeavesNoStripesOnTallScreens) {
    for (auto [width, height] : {std::pair{1024, 768}, {1920, 1080}, {1280, 1024}, {3840, 2160}}) {
        openForm(width, height);
        enterAndSwitch("c e g", 105);
        EXPECT_EQ(countInPlotArea(10.5, 50.5, 89.5, 94.5, background), 0) << width << "x" << height;
    }
}

TEST_F(Clearing, SwitchingToByChordRemovesTheWholeByKeyAxisLine) {
    enterAndSwitch("c e g", 104);
    int axisTail = countInPlotArea(94.0, 45.9, 97.0, 47.9, background);
    int area = (px(97.0) - px(94.0) + 1) * (py(45.9) - py(47.9) + 1);
    ASSERT_LT(axisTail, area) << "the by-key axis line no longer reaches past 94: move the probe";

    formProc(Form1, WM_COMMAND, 105, 0);
    EXPECT_EQ(countInPlotArea(94.0, 45.9, 97.0, 47.9, background), area);
}

}  // namespace
