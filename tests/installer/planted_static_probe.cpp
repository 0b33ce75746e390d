// Imports the version library the usual way, so that the system loads it before main:
// shows that a copy planted beside a program is taken when nothing prevents it.
#include <windows.h>

int main(int argc, char** argv) {
    // Never called (a rogue copy has no such function); the import alone is what counts.
    if (argc > 100) return static_cast<int>(GetFileVersionInfoSizeA(argv[0], nullptr));
    return 0;
}
