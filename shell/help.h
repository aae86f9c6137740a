// The help viewer: its path from the reader file (viewerPath), and the launch.
#pragma once

#include "shell/state.h"

// The first line of HtmlReader.txt, or the default viewer when there is no such
// file. A reader file that exists but cannot be read ends the process with
// status 1.
void readViewerPath();
// Starts the viewer with the help document under the current directory.
void launchHelp();
