// Output files written whole (output_file.h).
#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace {

// Beside the file a link points at, so that the rename stays on its file system.
std::filesystem::path finalPath(const std::string& target) {
    std::error_code error;
    if (std::filesystem::is_symlink(target, error)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
        if (!error) return resolved;
    }
    return target;
}

// A new empty file next to the final one, made with the usual permissions
// (0666 less the umask); empty when none can be made.
std::string newFileBeside(const std::filesystem::path& final) {
    const std::filesystem::path folder = final.has_parent_path() ? final.parent_path() : ".";
    const std::string stem = "." + final.filename().string() + "." + std::to_string(getpid());
    for (int number = 0; number < 100; ++number) {
        const std::string candidate = (folder / (stem + "-" + std::to_string(number) + ".part")).string();
        const int made = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (made >= 0) {
            close(made);
            return candidate;
        }
        if (errno != EEXIST) break;
    }
    return "";
}

}  // namespace

bool writeWholeFile(const std::string& target, const std::function<bool(const std::string& path)>& write) {
    struct stat existing;
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) return write(target);
    const std::filesystem::path final = finalPath(target);
    const std::string part = newFileBeside(final);
    if (part.empty()) return false;
    if (exists) chmod(part.c_str(), existing.st_mode & 07777);
    if (write(part) && std::rename(part.c_str(), final.c_str()) == 0) return true;
    std::remove(part.c_str());
    return false;
}
