// For the benchmarks: the main window opened on a fresh 1920 x 1080 headless
// screen, its first frame drawn.
#pragma once

#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"

inline void openForm() {
    headless::reset();
    headless::setScreen(1920, 1080);
    prepareApplication(GetModuleHandleA(nullptr));
    loadForm();
    headless::runUntilIdle();
}
