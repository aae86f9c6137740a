// Command-line options of tonvisor-cli.
#pragma once

#include <string>
#include <vector>

// What --png draws: the window as a person sees it after the steps below.
struct PictureOptions {
    std::string path;           // --png FILE; empty when no picture is asked for
    bool byChord = false;       // press "x Chord" before "Enter"
    int screenWidth = 1024;     // the virtual screen the window is laid out on
    int screenHeight = 768;
    bool screenChosen = false;  // --screen given, even with the default size
    bool click = false;         // press and release at clickX, clickY afterwards
    int clickX = 0;             // pixels in Form1's client area
    int clickY = 0;
};

struct CliOptions {
    bool help = false;
    bool version = false;
    bool json = false;
    bool batch = false;
    bool listen = false;             // --listen: chords played on MIDI keyboards
    int top = -1;                    // --top N: the N best chords only; -1 lists all
    PictureOptions picture;
    std::string wavPath;             // --wav FILE; empty when no sound is asked for
    std::string chordsPath;          // --chords FILE; empty when no piece is asked for
    bool lab = false;                // --lab: the piece's chords as MIREX lab lines
    std::vector<std::string> notes;  // the NOTES arguments, in order
    std::string error;               // set when the command line is unusable
};

// Options may come anywhere; "--" makes every later argument a note.
CliOptions parseOptions(int argc, const char* const* argv);

// The entry text: the NOTES joined with one blank.
std::string joinNotes(const std::vector<std::string>& notes);

extern const char* const UsageText;  // the three command forms
extern const char* const HelpText;   // what --help adds to them
