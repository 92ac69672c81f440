// A small program the Windows launcher tests start: it writes the arguments it was given, one per
// line, and then its current directory into the file named by its first argument, and ends with
// the exit code 3.
// With ZAM_TEST_RECORD set it stands in for the simulator instead: every argument, each ended by
// a 00 byte, goes into the file that variable names, and it ends with 0.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (const char* recordTo = std::getenv("ZAM_TEST_RECORD")) {
        std::FILE* record = std::fopen(recordTo, "wb");
        if (record == nullptr) return 2;
        for (int i = 1; i < argc; ++i) std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, record);
        return std::fclose(record) == 0 ? 0 : 2;
    }
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
