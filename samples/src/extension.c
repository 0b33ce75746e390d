/* The kit's registrable library: registration records the library's path below
   HKEY_CLASSES_ROOT\TabletKit.Extension, unregistration removes that key again. */
#include <windows.h>

static HINSTANCE g_module;

static const char kKey[] = "TabletKit.Extension";
static const char kServerKey[] = "TabletKit.Extension\\InprocServer32";

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

static LONG SetKeyText(const char* key, const char* text) {
    return RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, text, (DWORD)lstrlenA(text));
}

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(g_module, path, sizeof path);
    if (length == 0 || length >= sizeof path) return E_FAIL;
    if (SetKeyText(kKey, "Zorvant tablet extension") != ERROR_SUCCESS) return E_FAIL;
    if (SetKeyText(kServerKey, path) != ERROR_SUCCESS) return E_FAIL;
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer(void) {
    /* Child first: a key with subkeys cannot be deleted. A missing key is no failure. */
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kServerKey);
    LONG result = RegDeleteKeyA(HKEY_CLASSES_ROOT, kKey);
    return (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) ? S_OK : E_FAIL;
}
