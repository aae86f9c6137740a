// Started by the launch tests: writes how many arguments it got, then each
// one on a line, to the file named by TONVISOR_RECORD. The file appears whole
// (written aside, then renamed), so a test can wait for it to exist.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* path = std::getenv("TONVISOR_RECORD");
    if (!path) return 1;
    const std::string partial = std::string(path) + ".part";
    FILE* file = std::fopen(partial.c_str(), "w");
    if (!file) return 1;
    std::fprintf(file, "%d\n", argc - 1);
    for (int i = 1; i < argc; ++i) std::fprintf(file, "%s\n", argv[i]);
    std::fclose(file);
    return std::rename(partial.c_str(), path) == 0 ? 0 : 1;
}
