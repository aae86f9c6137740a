// Form1 and its controls, laid out in fractions of the screen. Each control
// is one row of the control table: where it goes, what makes it, its text
// and its identifier.
#include "shell/drawing.h"
#include "shell/form.h"

namespace {

// x and width are fractions of half the screen width, y and height of half its height.
struct LayoutFractions {
    double x, y, width, height;
};

const LayoutFractions formFractions = {0.001, 0.028, 0.993, 0.932};

using ControlFactory = HWND (*)(const char* text, HWND parent, int id, int x, int y, int width,
                                int height);

struct ControlPlan {
    HWND* handle;
    ControlFactory create;
    const char* text;
    int id;
    LayoutFractions place;
};

// In creation order, which is the tab order: control i is laid out at formLayout[i + 1].
const ControlPlan controlPlans[ControlCount] = {
    {&Shell.EnterButton, createButton, "Enter", EnterButtonId, {0.05, 0.86, 0.05, 0.048}},
    {&Shell.NoteEntryField, createEdit, " ", NoteEntryFieldId, {0.05, 0.825, 0.24, 0.028}},
    {&Shell.RecognisedNotesField, createEdit, " ", RecognisedNotesFieldId, {0.3, 0.825, 0.12, 0.028}},
    {&Shell.KeyButton, createButton, "x Key", KeyButtonId, {0.1, 0.66, 0.07, 0.04}},
    {&Shell.ChordButton, createButton, "x Chord", ChordButtonId, {0.172, 0.66, 0.07, 0.04}},
    {&Shell.HelpButton, createButton, "Help", HelpButtonId, {0.245, 0.66, 0.07, 0.04}},
    {&Shell.ChordField, createReadOnlyEdit, "", ChordFieldId, {0.43, 0.825, 0.20, 0.028}},
    {&Shell.SoundBox, createCheckBox, "Sound", SoundBoxId, {0.11, 0.870, 0.085, 0.028}},
    {&Shell.MidiStatus, createStatic, "MIDI: none", MidiStatusId, {0.205, 0.870, 0.225, 0.028}},
    {&Shell.ListenBox, createCheckBox, "Listen", ListenBoxId, {0.44, 0.870, 0.075, 0.028}},
    {&Shell.AudioStatus, createStatic, "Audio in: none", AudioStatusId, {0.525, 0.870, 0.17, 0.028}},
    {&Shell.OpenButton, createButton, "Open", OpenButtonId, {0.63, 0.595, 0.06, 0.04}},
    {&Shell.PieceStatus, createStatic, "No piece open", PieceStatusId, {0.70, 0.60, 0.19, 0.028}},
};

// The product is formed at extended precision and truncated from there:
// 0.86 x 300 lies just below 258 and gives 257, where a double would give 258.
int layoutUnits(double fraction, float half) {
    return static_cast<int>(static_cast<long double>(fraction) * static_cast<long double>(half));
}

LayoutBox laidOut(const LayoutFractions& fractions) {
    return {layoutUnits(fractions.x, halfScreenWidth), layoutUnits(fractions.y, halfScreenHeight),
            layoutUnits(fractions.width, halfScreenWidth), layoutUnits(fractions.height, halfScreenHeight)};
}

void createControls() {
    for (int i = 0; i < ControlCount; ++i) {
        const ControlPlan& plan = controlPlans[i];
        const LayoutBox& box = Shell.formLayout[i + 1];
        *plan.handle = plan.create(plan.text, Form1, plan.id, box.x, box.y, box.width, box.height);
    }
}

}  // namespace

void computeLayout() {
    halfScreenWidth = 0.5f * static_cast<float>(GetSystemMetrics(SM_CXSCREEN));
    halfScreenHeight = 0.5f * static_cast<float>(GetSystemMetrics(SM_CYSCREEN));
    Shell.formLayout[0] = laidOut(formFractions);
    for (int i = 0; i < ControlCount; ++i)
        Shell.formLayout[i + 1] = laidOut(controlPlans[i].place);
}

HWND formControl(int i) { return *controlPlans[i].handle; }

void loadForm() {
    computeLayout();
    modeNumber = 1;
    const LayoutBox& form = Shell.formLayout[0];
    Form1 = createForm("Tonvisor V1.0", form.x, form.y, form.width, form.height);
    createControls();
    centreWindow(Form1);
    ShowWindow(Form1, SW_SHOW);
    paintform();
}
