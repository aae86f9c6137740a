// A stand-in help viewer: a script that appends each of its arguments, one a
// line, to a file next to it, so a test can see what a launch passed.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

class TestViewer {
public:
    explicit TestViewer(const std::filesystem::path& directory)
        : script_(directory / "viewer.sh"), output_(directory / "viewer.sh.out") {
        std::ofstream(script_) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"$0.out\"\n";
        std::filesystem::permissions(script_, std::filesystem::perms::owner_all);
    }

    std::string path() const { return script_.string(); }

    // The lines written so far, once the viewer has written any (waits for a
    // started viewer to finish writing; gives up after half a minute).
    std::string awaitArguments() const {
        for (int attempt = 0; attempt < 3000; ++attempt) {
            std::string text = read();
            if (!text.empty() && text.back() == '\n') return text;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return read();
    }

private:
    std::string read() const {
        std::ifstream in(output_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path script_;
    std::filesystem::path output_;
};
