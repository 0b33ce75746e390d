// A library that records being registered or unregistered, in the log named by the
// description file of HELPER_RECORDER ("log <path>").
#include "tests/fakes/fake_description.h"

namespace {
void Record(const char* what) {
    std::string value;
    for (const std::string& line : DescriptionLines("HELPER_RECORDER"))
        if (DescriptionValue(line, "log", value)) AppendLogLine(value, what);
}
}  // namespace

extern "C" {
__declspec(dllexport) HRESULT WINAPI DllRegisterServer() { Record("DllRegisterServer"); return S_OK; }
__declspec(dllexport) HRESULT WINAPI DllUnregisterServer() { Record("DllUnregisterServer"); return S_OK; }
}
