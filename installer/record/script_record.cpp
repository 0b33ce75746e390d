#include "installer/record/script_record.h"

#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/core/system_paths.h"
#include "installer/registry/registry_keys.h"
#include "installer/script/mapped_file.h"
#include "installer/script/script_node.h"

namespace {
// The script as the uninstaller will read it, in a new file of the install folder.
StrBuf WriteSavedCopy(ScriptNode& script) {
    StrBuf path = TempFileIn(script.InstallDir());
    if (path.IsEmpty()) return path;
    FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file) {
        script.WriteScript(file.get());
        WriteLine(file.get(), "[End]");
    }
    return path;
}

// The slot for this copy: an empty one, or one whose copy has the same bytes (then the
// registered path stays and the new copy is gone), or the last one.
int ChooseSlot(HKEY productKey, const StrBuf& newCopy, StrBuf& chosenPath) {
    for (int i = 0; i < kSlotCount - 1; ++i) {
        StrBuf registered;
        if (!ReadKeyDefault(registered, productKey, SlotName(i)) || registered.IsEmpty()) {
            chosenPath = newCopy;
            return i;
        }
        if (ReplaceIfDifferent(registered, newCopy)) {
            chosenPath = registered;
            return i;
        }
    }
    chosenPath = newCopy;
    return kSlotCount - 1;
}
}  // namespace

void WriteScriptRecord(ScriptNode& script, HKEY productKey) {
    StrBuf copy = WriteSavedCopy(script);
    if (copy.IsEmpty()) return;   // no copy: the uninstaller would find nothing to read
    StrBuf chosen;
    StrBuf slotName = SlotName(ChooseSlot(productKey, copy, chosen));
    RegKey slot(OpenOrCreateKey(slotName, productKey, true));
    if (!slot) return;
    WriteKeyDefault(chosen, slot.get(), nullptr);
    WriteKeyDefault(script.InstallDir(), slot.get(), "PATH");
    WriteKeyDefault(script.GroupName(), slot.get(), "GroupName");
    script.ScriptNode::SaveRecord(slot.get());
}

void RemoveScriptRecord(ScriptNode& script, const StrBuf& slotPath) {
    if (slotPath.IsEmpty()) return;
    RegKey slot(OpenOrCreateKey(slotPath, HKEY_CLASSES_ROOT, false));
    if (!slot) return;
    script.ScriptNode::RemoveRecord(slot.get());
    if (!script.CanRemove()) return;
    StrBuf copy;
    if (ReadKeyDefault(copy, slot.get(), nullptr) && !copy.IsEmpty()) {
        // A bare name stands in the Windows directory.
        if (copy.Find('\\') < 0) copy = JoinPath(WindowsDirectory(), copy);
        DeleteFileA(copy);
    }
    slot.reset();
    DeleteKeyTree(HKEY_CLASSES_ROOT, slotPath);
}
