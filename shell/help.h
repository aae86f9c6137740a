// The help viewer: its path from the reader file, and the launch.
#pragma once

// The viewer program; rebuilt at every form painting.
extern char viewerPath[2048];

// The first line of HtmlReader.txt, or the default viewer when there is no such
// file. A reader file that exists but cannot be read ends the process with
// status 1.
void readViewerPath();
// Starts the viewer with the help document under the current directory.
void launchHelp();
