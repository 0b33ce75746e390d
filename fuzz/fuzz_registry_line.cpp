// Registry lines come from setup scripts on the medium and from the record copies.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include "installer/registry/registry_entry_line.h"

namespace {
bool FieldsWriteBackPlainly(const RegistryEntryLine& e) {
    // No field is quoted on writing: a quoted field with a comma, a quote or blanks at its
    // ends reads back differently.
    for (const StrBuf* field : {&e.keyPath, &e.valueName, &e.data}) {
        if (field->Find(',') >= 0 || field->Find('"') >= 0) return false;
        StrBuf trimmed = *field;
        trimmed.Trim();
        if (trimmed.Length() != field->Length()) return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    RegistryEntryLine entry = ParseRegistryEntryLine(text.c_str());
    StrBuf line = WriteRegistryEntryLine(entry);
    EncodeRegistryValue(entry.type, entry.data);
    // A written line reads back to an entry that writes the same line.
    if (FieldsWriteBackPlainly(entry) && WriteRegistryEntryLine(ParseRegistryEntryLine(line)) != line.c_str()) abort();
    return 0;
}
