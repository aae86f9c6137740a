// Resources built into the program, found by LoadIconA. The program's build
// generates the strong definitions from its .ico; the core's weak defaults
// (count 0) let tests and tools link without any.
#pragma once

struct EmbeddedResource {
    int id;
    const unsigned char* bytes;
    unsigned size;
};

extern const EmbeddedResource* embeddedResources;
extern int embeddedResourceCount;
