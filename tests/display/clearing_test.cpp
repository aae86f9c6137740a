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

    // Client pixels of a plot rectangle on the current screen.
    int countInPlotArea(const ClientPicture& shown, double left, double bottom, double right,
                        double top, COLORREF colour) {
        int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        auto deviceX = [&](double x) { return static_cast<int>(x * width / 100.0 + 0.5); };
        auto deviceY = [&](double y) { return static_cast<int>(height - 0.5 - y * height / 100.0); };
        int found = 0;
        for (int y = deviceY(top); y <= deviceY(bottom); y++)
            for (int x = deviceX(left); x <= deviceX(right); x++) found += shown.at(x, y) == colour;
        return found;
    }
};

TEST_F(Clearing, ThePanelFillLeavesNoStripesOnTallScreens) {
    for (auto [width, height] : {std::pair{1024, 768}, {1920, 1080}, {1280, 1024}, {3840, 2160}}) {
        openForm(width, height);
        enterAndSwitch("c e g", 105);
        ClientPicture shown = picture();
        EXPECT_EQ(countInPlotArea(shown, 10.5, 50.5, 89.5, 94.5, background), 0) << width << "x" << height;
    }
}

TEST_F(Clearing, SwitchingToByChordRemovesTheWholeByKeyAxisLine) {
    enterAndSwitch("c e g", 104);
    ClientPicture byKey = picture();
    int axisTail = countInPlotArea(byKey, 94.0, 45.9, 97.0, 47.9, background);
    int area = (static_cast<int>(97.0 * 10.24 + 0.5) - static_cast<int>(94.0 * 10.24 + 0.5) + 1) *
               (static_cast<int>(767.5 - 45.9 * 7.68) - static_cast<int>(767.5 - 47.9 * 7.68) + 1);
    ASSERT_LT(axisTail, area) << "the by-key axis line no longer reaches past 94: move the probe";

    formProc(Form1, WM_COMMAND, 105, 0);
    EXPECT_EQ(countInPlotArea(picture(), 94.0, 45.9, 97.0, 47.9, background), area);
}

}  // namespace
