// Another process holding a file open without sharing, as a running program or a virus
// scanner would. Usage: file_holder PATH MILLISECONDS. Leaves "PATH.held" once it holds the
// file, so a test knows when to go on; exits after the time given (or when ended).
#include <windows.h>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) return 100;
    HANDLE held = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    std::string mark = std::string(argv[1]) + ".held";
    HANDLE marker = CreateFileA(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    Sleep(static_cast<DWORD>(atoi(argv[2])));
    CloseHandle(held);
    return 0;
}
