// The wide-pen pictures of wide_pen_pictures.txt: each a line drawn with one
// pen, and the pixels the system's GDI paints for it ('#' painted, '.' not).
// Read by the layer's tests and by the probe that checks them under Wine.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

struct PenPicture {
    int width = 0, toX = 0, toY = 0;  // the pen and the line's end, from its first point
    int originX = 0, originY = 0;     // the first point within the rows
    std::vector<std::string> rows;
};

inline std::vector<PenPicture> readPenPictures(const std::string& path) {
    std::ifstream file(path);
    std::vector<PenPicture> pictures;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        PenPicture picture;
        if (std::sscanf(line.c_str(), "pen %d to %d %d at %d %d", &picture.width, &picture.toX,
                        &picture.toY, &picture.originX, &picture.originY) == 5)
            pictures.push_back(picture);
        else if (!line.empty() && line[0] != '#' && !pictures.empty())
            pictures.back().rows.push_back(line);
    }
    return pictures;
}
