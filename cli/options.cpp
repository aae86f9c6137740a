// tonvisor-cli's command line: the usage and help texts, the options and
// their values, and the combinations that make no sense. Reads nothing else.
#include "cli/options.h"

#include <charconv>

const char* const UsageText =
    "Usage: tonvisor-cli [--json | --top N] NOTES...\n"
    "       tonvisor-cli --batch [--json | --top N] < entries.txt\n"
    "       tonvisor-cli --png FILE [--by-chord] [--screen WxH] [--click X,Y] [NOTES...]\n"
    "       tonvisor-cli --wav FILE NOTES...\n"
    "       tonvisor-cli --listen\n"
    "       tonvisor-cli --chords FILE [--lab | --json]\n";

const char* const HelpText =
    "\n"
    "Scores the 132 chords (11 chord types on 12 roots) that up to five notes\n"
    "may belong to, best first, after the one name that fits them best, such as\n"
    "\"Chord: C/E (C Major, E in the bass)\": the first note typed is the bass.\n"
    "A note is a letter a to g, with '#' after it for sharp or '%' for flat;\n"
    "blanks between notes are optional: c e g, c#e%g.\n"
    "\n"
    "  --top N       list only the N best chords (default: every chord above zero)\n"
    "  --json        print one JSON object instead: entry, echo, notes, scores, name\n"
    "  --batch       read one entry per line from standard input; results follow\n"
    "                in the same order, separated by a blank line (JSON: one per line)\n"
    "  --png FILE    write the window's picture to FILE, as it looks after typing\n"
    "                NOTES and pressing \"Enter\"; without NOTES, as it opens.\n"
    "                The picture is the window's inside, without its frame\n"
    "  --by-chord    with --png: press \"x Chord\" first (spikes grouped by chord type)\n"
    "  --screen WxH  with --png: lay the window out for a screen of W x H pixels,\n"
    "                320x240 to 7680x4320 (default 1024x768)\n"
    "  --click X,Y   with --png: click at pixel X,Y of the picture last, as on a spike\n"
    "                to name its chord; the point must lie inside the window's picture\n"
    "                and off its buttons and fields\n"
    "  --wav FILE    write what \"Enter\" sounds for NOTES to FILE: a piano chord\n"
    "                from C3 up, the first note typed lowest, released after 1.5 s;\n"
    "                2 s of 16-bit stereo WAV at 44.1 kHz. The soundfont is\n"
    "                /usr/share/sounds/sf2/default-GM.sf2, or TONVISOR_SOUNDFONT\n"
    "  --listen      print one line for each chord played on a MIDI keyboard: the\n"
    "                recognised notes, the name (the lowest key is the bass) and\n"
    "                the three best chords, \"E  G  C | C/E (C Major, E in the bass) |\n"
    "                C Major 100%, ...\"; until interrupted or until standard input\n"
    "                ends. Which keyboards are open goes to standard error\n"
    "  --chords FILE print the chords of a whole piece, a Standard MIDI File\n"
    "                (format 0 or 1; its content decides, not its name): one line\n"
    "                per chord, its start and end in seconds, bar.beat where the\n"
    "                file has a time signature, the symbol and the long name;\n"
    "                \"N\" where no chord sounds (silence, drums alone)\n"
    "  --lab         with --chords: MIREX lab lines instead, start<TAB>end<TAB>label\n"
    "                with Harte labels (C:maj, A:min7/b3, N); nothing else\n"
    "  --json        with --chords: one JSON object, the file, title, duration and\n"
    "                segments (start, end, bar, beat, symbol, harte, name,\n"
    "                pitches with their weights, bass, the 132 scores)\n"
    "  --help        print this help\n"
    "  --version     print the version\n"
    "\n"
    "Exit status: 0 done, 1 a file or the output could not be written (or, with\n"
    "--wav, no soundfont could be loaded; with --chords, the file could not be\n"
    "read), 2 usage error.\n";

namespace {

constexpr int MinScreenWidth = 320, MinScreenHeight = 240;
constexpr int MaxScreenWidth = 7680, MaxScreenHeight = 4320;

// Returns false for an option this program does not know.
bool applyOption(const std::string& option, CliOptions& options) {
    if (option == "--help") options.help = true;
    else if (option == "--version") options.version = true;
    else if (option == "--json") options.json = true;
    else if (option == "--batch") options.batch = true;
    else if (option == "--listen") options.listen = true;
    else if (option == "--lab") options.lab = true;
    else if (option == "--by-chord") options.picture.byChord = true;
    else return false;
    return true;
}

bool takesValue(const std::string& option) {
    return option == "--png" || option == "--screen" || option == "--click" || option == "--top" ||
           option == "--wav" || option == "--chords";
}

// Digits only, no sign; false also when the number does not fit an int.
bool parseCount(std::string_view text, int& value) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return false;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    return failure == std::errc() && end == text.data() + text.size();
}

// "AxB" or "A,B" with the given separator.
bool parsePair(const std::string& text, char separator, int& first, int& second) {
    std::size_t split = text.find(separator);
    if (split == std::string::npos) return false;
    std::string_view whole = text;
    return parseCount(whole.substr(0, split), first) && parseCount(whole.substr(split + 1), second);
}

// Returns the problem with the value, or "".
std::string applyValue(const std::string& option, const std::string& value, CliOptions& options) {
    PictureOptions& picture = options.picture;
    if (option == "--top") {
        if (parseCount(value, options.top)) return "";
        return "--top takes a number of chords, not '" + value + "'";
    }
    if (option == "--chords") {
        options.chordsPath = value;
        return value.empty() ? "--chords needs a file name" : "";
    }
    if (option == "--wav") {
        options.wavPath = value;
        return value.empty() ? "--wav needs a file name" : "";
    }
    if (option == "--png") {
        picture.path = value;
        return value.empty() ? "--png needs a file name" : "";
    }
    if (option == "--screen") {
        int width = 0, height = 0;
        if (parsePair(value, 'x', width, height) && width >= MinScreenWidth && width <= MaxScreenWidth &&
            height >= MinScreenHeight && height <= MaxScreenHeight) {
            picture.screenWidth = width;
            picture.screenHeight = height;
            picture.screenChosen = true;
            return "";
        }
        return "--screen takes WxH from 320x240 to 7680x4320, not '" + value + "'";
    }
    picture.click = true;
    if (parsePair(value, ',', picture.clickX, picture.clickY)) return "";
    return "--click takes X,Y, two pixel positions in the picture, not '" + value + "'";
}

bool pictureStepsGiven(const PictureOptions& picture) {
    return picture.byChord || picture.click || picture.screenChosen;
}

std::string pictureProblem(const CliOptions& options) {
    const PictureOptions& picture = options.picture;
    if (picture.path.empty())
        return pictureStepsGiven(picture) ? "--by-chord, --screen and --click go with --png" : "";
    if (options.json || options.batch || options.top >= 0) return "--png does not go with --json, --batch or --top";
    if (picture.click && (picture.clickX >= picture.screenWidth || picture.clickY >= picture.screenHeight))
        return "--click " + std::to_string(picture.clickX) + "," + std::to_string(picture.clickY) +
               " lies outside the screen";
    return "";
}

std::string soundProblem(const CliOptions& options) {
    if (options.wavPath.empty()) return "";
    if (!options.picture.path.empty() || options.json || options.batch || options.top >= 0)
        return "--wav does not go with --png, --json, --batch or --top";
    return options.notes.empty() ? "--wav needs NOTES to sound" : "";
}

std::string listenProblem(const CliOptions& options) {
    if (!options.listen) return "";
    const bool more = options.json || options.batch || options.top >= 0 || !options.wavPath.empty() ||
                      !options.picture.path.empty() || !options.notes.empty();
    return more ? "--listen takes no NOTES and no other option" : "";
}

std::string chordsProblem(const CliOptions& options) {
    if (options.chordsPath.empty()) return options.lab ? "--lab goes with --chords" : "";
    const bool more = options.batch || options.listen || options.top >= 0 || !options.wavPath.empty() ||
                      !options.picture.path.empty() || !options.notes.empty();
    if (more) return "--chords takes no NOTES and no other option but --lab or --json";
    return options.lab && options.json ? "--lab and --json do not go together" : "";
}

std::string usageProblem(const CliOptions& options) {
    if (options.help || options.version || !options.error.empty()) return options.error;
    if (std::string problem = chordsProblem(options); !problem.empty()) return problem;
    if (std::string problem = listenProblem(options); !problem.empty()) return problem;
    if (std::string problem = soundProblem(options); !problem.empty()) return problem;
    if (std::string problem = pictureProblem(options); !problem.empty()) return problem;
    if (options.json && options.top >= 0) return "--top goes with the text output, not --json";
    if (options.batch && !options.notes.empty()) return "--batch reads its entries from standard input, not from NOTES";
    if (!options.batch && !options.listen && options.picture.path.empty() && options.chordsPath.empty() &&
        options.notes.empty())
        return "no NOTES given";
    return "";
}

void noteProblem(CliOptions& options, const std::string& problem) {
    if (options.error.empty()) options.error = problem;
}

}  // namespace

CliOptions parseOptions(int argc, const char* const* argv) {
    CliOptions options;
    bool notesOnly = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (notesOnly || argument.empty() || argument[0] != '-') options.notes.push_back(argument);
        else if (argument == "--") notesOnly = true;
        else if (takesValue(argument) && i + 1 < argc) noteProblem(options, applyValue(argument, argv[++i], options));
        else if (takesValue(argument)) noteProblem(options, argument + " needs a value");
        else if (!applyOption(argument, options)) noteProblem(options, "unknown option '" + argument + "'");
    }
    options.error = usageProblem(options);
    return options;
}

std::string joinNotes(const std::vector<std::string>& notes) {
    std::string entry;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (i > 0) entry += ' ';
        entry += notes[i];
    }
    return entry;
}
