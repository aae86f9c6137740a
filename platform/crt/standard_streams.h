// The three standard streams, made safe before a program opens anything.
#pragma once

// Opens descriptors 0, 1 and 2 on /dev/null where they are closed. A program
// started with one closed would hand its number to the next file it opens
// (the X server's socket, JACK's shared memory), and what it writes to
// standard output or error would land there. Each is opened the wrong way
// round (standard input for writing, the others for reading), so that using
// it still fails as using a closed one does, and the program says so as it
// did.
void openStandardStreams();
