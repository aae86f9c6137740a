// A fresh temporary directory that becomes the current directory for the life
// of the object; the previous current directory comes back and the directory
// goes, with everything in it, afterwards. For tests and fuzz targets whose
// code reads or writes files in the current directory.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& name = "tonvisor test")
        : previous_(std::filesystem::current_path()),
          path_(std::filesystem::temp_directory_path() /
                (name + " " + std::to_string(counter_++) + " " + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~ScratchDirectory() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes the bytes exactly as given (binary, so line ends stay as they are).
    void write(const std::string& file, const std::string& bytes) const {
        std::ofstream(path_ / file, std::ios::binary) << bytes;
    }

private:
    static inline int counter_ = 0;
    std::filesystem::path previous_;
    std::filesystem::path path_;
};
