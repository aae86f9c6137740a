// Form1 and its controls, laid out in fractions of the screen.
#include "display/paint.h"
#include "shell/form.h"

HWND Form1, EnterButton, NoteEntryField, RecognisedNotesField, KeyButton, ChordButton, HelpButton;
HINSTANCE programInstance;
const char* formClassName;
int unitX, unitY;
float halfScreenWidth, halfScreenHeight;
int modeNumber;
LayoutBox formLayout[7];

namespace {

// x and width are fractions of half the screen width, y and height of half its height.
struct LayoutFractions {
    double x, y, width, height;
};

const LayoutFractions layoutFractions[7] = {
    {0.001, 0.028, 0.993, 0.932},  // Form1
    {0.05, 0.86, 0.05, 0.048},     // EnterButton
    {0.05, 0.825, 0.24, 0.028},    // NoteEntryField
    {0.3, 0.825, 0.12, 0.028},     // RecognisedNotesField
    {0.1, 0.66, 0.07, 0.04},       // KeyButton
    {0.172, 0.66, 0.07, 0.04},     // ChordButton
    {0.245, 0.66, 0.07, 0.04},     // HelpButton
};

// The product is formed at extended precision and truncated from there:
// 0.86 x 300 lies just below 258 and gives 257, where a double would give 258.
int layoutUnits(double fraction, float half) {
    return static_cast<int>(static_cast<long double>(fraction) * static_cast<long double>(half));
}

void createControls() {
    const LayoutBox* box = formLayout;
    EnterButton = createButton("Enter", Form1, 101, box[1].x, box[1].y, box[1].width, box[1].height);
    NoteEntryField = createEdit(" ", Form1, 102, box[2].x, box[2].y, box[2].width, box[2].height);
    RecognisedNotesField =
        createEdit(" ", Form1, 103, box[3].x, box[3].y, box[3].width, box[3].height);
    KeyButton = createButton("x Key", Form1, 104, box[4].x, box[4].y, box[4].width, box[4].height);
    ChordButton =
        createButton("x Chord", Form1, 105, box[5].x, box[5].y, box[5].width, box[5].height);
    HelpButton = createButton("Help", Form1, 106, box[6].x, box[6].y, box[6].width, box[6].height);
}

}  // namespace

void computeLayout() {
    halfScreenWidth = 0.5f * static_cast<float>(GetSystemMetrics(SM_CXSCREEN));
    halfScreenHeight = 0.5f * static_cast<float>(GetSystemMetrics(SM_CYSCREEN));
    for (int i = 0; i < 7; ++i) {
        const LayoutFractions& fractions = layoutFractions[i];
        formLayout[i] = {layoutUnits(fractions.x, halfScreenWidth),
                         layoutUnits(fractions.y, halfScreenHeight),
                         layoutUnits(fractions.width, halfScreenWidth),
                         layoutUnits(fractions.height, halfScreenHeight)};
    }
}

void loadForm() {
    computeLayout();
    modeNumber = 1;
    const LayoutBox& form = formLayout[0];
    Form1 = createForm("Tonvisor V1.0", form.x, form.y, form.width, form.height);
    createControls();
    centreWindow(Form1);
    ShowWindow(Form1, SW_SHOW);
    paintform();
}
