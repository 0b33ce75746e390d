// The kit checker over any script: every rule runs on the text as the only file of a medium,
// and both reports are made. No crash, no hang, whatever the bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include "kit/checker/findings.h"
#include "kit/checker/kit_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    Findings findings;
    CheckScriptBytes(bytes, findings);
    TextReport(findings);
    JsonReport(findings);
    return 0;
}
