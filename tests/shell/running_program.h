// Runs the whole program on the headless screen: steps queued with step() run
// one at a time whenever the program's message loop would wait, so each sees
// the effects of the one before. runAndQuit() runs them and then ends the loop
// with command 200, which must end it with status 0.
#pragma once

#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/window_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

class RunningProgram : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        // The program reads HtmlReader.txt from the current directory.
        directory_ = std::make_unique<ScratchDirectory>();
    }
    void TearDown() override {
        headless::reset();
        directory_.reset();
    }

    void step(std::function<void()> action) { headless::whenIdle(std::move(action)); }
    int run() { return runApplication(GetModuleHandleA(nullptr)); }
    void runAndQuit() {
        step([] { PostMessageA(Form1, WM_COMMAND, 200, 0); });
        EXPECT_EQ(run(), 0);
    }

    const ScratchDirectory& directory() const { return *directory_; }

private:
    std::unique_ptr<ScratchDirectory> directory_;
};
