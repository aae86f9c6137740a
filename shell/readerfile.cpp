// The reader file: its first line names the help viewer.
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
    if (GetFileAttributesA(readerFileName) == INVALID_FILE_ATTRIBUTES) return;
    std::FILE* file = std::fopen(readerFileName, "r");
    if (file == nullptr) failReaderFile();
    readFirstLine(file);
    std::fclose(file);
}
