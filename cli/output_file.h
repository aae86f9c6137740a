// Writing an output file so that its path never holds half of one.
#pragma once

#include <functional>
#include <string>

// Has write make the file under a name of its own beside target, then renames
// it over target: a file already there stays as it was unless the new one is
// complete (a full disk fails the write, and the earlier file is kept). A
// target that exists and is no regular file (a device, a pipe) is written
// directly; a symbolic link is replaced where it points. Returns whether
// the whole file was written.
bool writeWholeFile(const std::string& target, const std::function<bool(const std::string& path)>& write);
