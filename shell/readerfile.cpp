// The reader file: its first line names the help viewer.
//
// Reading it never waits: an entry that the platform reports as a device (on
// Linux a named pipe, a socket, or a device that may not answer at once) counts
// as a file that cannot be opened. Limits: the check comes before the open, so
// an entry replaced by a named pipe in between can still hold the program up.
#include "shell/help.h"

#include "platform/win32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char readerFileName[] = "HtmlReader.txt";
const char defaultViewer[] = "\\windows\\explorer.exe";

[[noreturn]] void failReaderFile() {
    std::fprintf(stderr, "Can't open file %s\n", readerFileName);
    std::exit(1);
}

// One line end goes: a line feed, or a carriage return and line feed, which
// text mode leaves as they are on Linux. A carriage return that filled the
// buffer is part of the line end when a line feed follows it.
void dropLineEnd(std::FILE* file) {
    size_t length = std::strlen(viewerPath);
    if (length == 0) return;
    if (viewerPath[length - 1] == '\n') {
        viewerPath[--length] = '\0';
        if (length > 0 && viewerPath[length - 1] == '\r') viewerPath[length - 1] = '\0';
    } else if (viewerPath[length - 1] == '\r' && std::fgetc(file) == '\n') {
        viewerPath[length - 1] = '\0';
    }
}

// An empty file reads nothing and leaves the default. A line longer than the
// buffer is cut there and the rest of the file is not read. A read error, as
// from a directory that opened for reading, counts as a file that cannot be
// opened.
void readFirstLine(std::FILE* file) {
    if (std::fgets(viewerPath, sizeof viewerPath, file) == nullptr && std::ferror(file)) {
        std::fclose(file);
        failReaderFile();
    }
    dropLineEnd(file);
}

}  // namespace

void readViewerPath() {
    std::strcpy(viewerPath, defaultViewer);
    const DWORD attributes = GetFileAttributesA(readerFileName);
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (attributes & FILE_ATTRIBUTE_DEVICE) failReaderFile();
    std::FILE* file = std::fopen(readerFileName, "r");
    if (file == nullptr) failReaderFile();
    readFirstLine(file);
    std::fclose(file);
}
