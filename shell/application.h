// The program's own entry: class registration, the form and the message loop.
#pragma once

#include "platform/win32.h"

// Everything before the form: every subsystem's state back to its start, the
// class name, the layout scale, the window class and the common controls.
// Tests that drive loadForm start here too.
void prepareApplication(HINSTANCE instance);

// The command line may name a piece to open. Returns the exit status of the
// process: the quit message's code.
int runApplication(HINSTANCE instance, const char* commandLine = "");
