// tonvisor-cli --listen: chords played on MIDI keyboards, one line each on
// standard output, until interrupted or until standard input ends; which
// keyboards are open goes to standard error. For a terminal, and for checking
// the MIDI path without a window. tonvisor-cli --listen-audio: the same for
// the chords heard on the default audio input, through the window's own
// listening (listening/listen_watch.h), each line after the seconds since
// the start.
//
// Real time: the headless screen's clock stands still unless a test moves
// it, so the listener switches that screen to the system's clock
// (headless::useRealClock) and runs an ordinary message loop, with a hidden
// window, around the window's own keyboard watch (midi/keyboard_watch.h): the
// same device scan every 2 s, the same settle times, the lowest key as the
// bass. Its own loop on a real clock would have needed a second copy of that
// watch. Standard input is looked at every 100 ms without waiting for it; its
// end, or an error reading it, ends the listening. Limits: what is typed on
// standard input is read and ignored; standard input that is already at its
// end (</dev/null) ends the listening at once.
#pragma once

// Returns the exit status: 0 when standard input ended, 1 when it could not
// be read or the output could not be written.
int listenToKeyboards();
int listenToAudio();
