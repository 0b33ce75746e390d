// Stands in for the installer on a test medium: writes its parameters and working
// directory to "started.txt" beside itself and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char module[MAX_PATH] = {}, directory[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string record(module, n);
    record = record.substr(0, record.find_last_of('\\') + 1) + "started.txt";
    GetCurrentDirectoryA(MAX_PATH, directory);
    std::string text = std::string("args=") + commandLine + "\r\ncwd=" + directory + "\r\n";
    HANDLE file = CreateFileA(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
