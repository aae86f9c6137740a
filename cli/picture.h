// Picture export: the program itself runs on the headless screen, a person's
// steps are played into its message loop, and Form1's inside is saved as a PNG.
#pragma once

#include <string>

#include "cli/options.h"

struct PictureOutcome {
    int status = 0;        // 0 written, 1 not written, 2 a --click the window cannot take
    std::string problem;   // what went wrong, for the error message
};

// Whether a file can be written at path, without changing an existing one.
// Returns the reason when it cannot, else "".
std::string unwritableReason(const std::string& path);

// Types the entry (when typeEntry), presses "Enter" and saves the picture.
// Runs the program's start-up and message loop: once per process.
PictureOutcome exportPicture(const PictureOptions& picture, bool typeEntry, const std::string& entry);
