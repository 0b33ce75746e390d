/* The kit's own programs (the driver's set-up tool and the tablet control panel) as
   small stand-ins: each appends its command line to the file named by the environment
   variable KIT_PROGRAM_LOG, so that a test can see how the installer started it, and
   ends at once. Without the variable it does nothing. When KIT_WATCHED_FILE names a file,
   the line also says whether that file was there, so that a test can see what a program
   started before or after the installer's file steps. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR arguments, int show) {
    (void)instance; (void)previous; (void)arguments; (void)show;
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KIT_PROGRAM_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path) return 0;
    /* Several programs may log at once: open for appending, retrying while another holds it. */
    HANDLE log = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 50 && log == INVALID_HANDLE_VALUE; ++attempt) {
        log = CreateFileA(path, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (log == INVALID_HANDLE_VALUE) Sleep(20);
    }
    if (log == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written;
    WriteFile(log, line, lstrlenA(line), &written, NULL);
    char watched[MAX_PATH];
    length = GetEnvironmentVariableA("KIT_WATCHED_FILE", watched, sizeof watched);
    if (length > 0 && length < sizeof watched) {
        const char* seen = GetFileAttributesA(watched) != INVALID_FILE_ATTRIBUTES ? " [watched file there]"
                                                                                   : " [watched file gone]";
        WriteFile(log, seen, lstrlenA(seen), &written, NULL);
    }
    WriteFile(log, "\r\n", 2, &written, NULL);
    CloseHandle(log);
    return 0;
}
