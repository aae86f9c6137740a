// Any bytes as the reader file HtmlReader.txt: the viewer path stays inside
// its buffer, ends without a line feed, and is the file's first line, less
// only its line end (and cut at the buffer's size).
#include "shell/help.h"
#include "tests/support/scratch_directory.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

ScratchDirectory* directory;  // the current directory while fuzzing; gone at exit

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "reader fuzzer: %s; viewerPath \"%.2047s\"\n", what, viewerPath);
    std::abort();
}

// Always a readable regular file: a file that cannot be opened ends the
// program by design, which is not what this looks for.
bool writeReaderFile(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen("HtmlReader.txt", "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

void checkViewerPath(const std::string& contents) {
    const void* end = std::memchr(viewerPath, '\0', sizeof viewerPath);
    if (end == nullptr) broken("not terminated within the buffer");
    size_t length = static_cast<const char*>(end) - viewerPath;
    if (std::memchr(viewerPath, '\n', length) != nullptr) broken("a line feed in the path");
    if (contents.empty()) {
        if (std::strcmp(viewerPath, "\\windows\\explorer.exe") != 0)
            broken("an empty file lost the default");
        return;
    }
    if (contents.compare(0, length, viewerPath, length) != 0) broken("not the start of the file");
    // Without zero bytes, only the line end (a line feed, and a carriage return
    // before it) may be missing from the first line, as far as the buffer holds it.
    if (contents.find('\0') != std::string::npos) return;
    size_t line = std::min(contents.find('\n'), contents.size());
    size_t kept = std::min(line, sizeof viewerPath - 1);
    if (length + 1 < kept) broken("more than the line end dropped");
    bool lineEndCut = contents.compare(length, 2, "\r\n") == 0;
    if (length < kept && !lineEndCut) broken("dropped a carriage return that ends no line");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    directory = new ScratchDirectory("tonvisor reader fuzz");
    std::atexit([] { delete directory; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!writeReaderFile(data, size)) return 0;
    readViewerPath();
    checkViewerPath(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
