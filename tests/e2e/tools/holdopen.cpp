// holdopen: opens a file with no sharing at all (share mode 0) and keeps it open, the way a
// program that has the file open for itself does, so a test can see what the program under
// test makes of a file it cannot touch.
//
//   holdopen PATH SECONDS     prints "held" once the file is open, then holds it that long
//
// Exit codes: 0 held for the whole time, 1 the file could not be opened, 64 usage.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: holdopen PATH SECONDS\n");
        return 64;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "holdopen: cannot open %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
    CloseHandle(file);
    return 0;
}
