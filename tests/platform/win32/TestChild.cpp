// A small program the Windows launcher tests start: it writes the arguments it was given, one per
// line, and then its current directory into the file named by its first argument, and ends with
// the exit code 3.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    std::FILE* record = std::fopen(argv[1], "wb");
    if (record == nullptr) return 2;
    for (int i = 2; i < argc; ++i) std::fprintf(record, "%s\n", argv[i]);
    char cwd[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    std::fprintf(record, "%s\n", cwd);
    std::fclose(record);
    return 3;
}
