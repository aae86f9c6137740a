// Runs the whole program on the headless screen: steps queued with step() run
// one at a time whenever the program's message loop would wait, so each sees
// the effects of the one before. quitStep() ends the loop with command 200.
#pragma once

#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"
#include "scratch_directory.h"

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
    void quitStep() {
        step([] { PostMessageA(Form1, WM_COMMAND, 200, 0); });
    }
    int run() { return runApplication(GetModuleHandleA(nullptr)); }

    const ScratchDirectory& directory() const { return *directory_; }

    static std::string textOf(HWND window) {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }

private:
    std::unique_ptr<ScratchDirectory> directory_;
};
