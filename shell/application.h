// The program's own entry: class registration, the form and the message loop.
#pragma once

#include "platform/win32.h"

// Returns the exit status of the process: the quit message's code.
int runApplication(HINSTANCE instance);
