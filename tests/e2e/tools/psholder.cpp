// psholder: another program that holds Print Screen, as cloud-storage clients and Windows' own
// capture tool do. It registers the key, says "held" on standard output, and keeps it until the
// file named by its argument appears; then it lets go and ends.
//
// Exit codes: 0 done, 1 the key was already held, 64 usage.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: psholder STOP-FILE\n", stderr);
        return 64;
    }
    if (!RegisterHotKey(nullptr, 1, 0, VK_SNAPSHOT)) {
        std::printf("refused %lu\n", GetLastError());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    while (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES) {
        // The key's presses arrive as thread messages; they are only taken off the queue.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        Sleep(100);
    }
    UnregisterHotKey(nullptr, 1);
    std::puts("released");
    return 0;
}
