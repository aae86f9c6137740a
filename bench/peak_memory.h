// Peak resident memory of a process, from the "VmHWM:" line of its status file.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <fstream>
#include <string>

inline double peakResidentMiB(pid_t pid = getpid()) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}
