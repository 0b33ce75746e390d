// The script nodes' directory steps: they act on the disk, so they are defined beside the
// directory code rather than with the node (installer/script/script_node.h).
#include "installer/files/disk_and_directories.h"
#include "installer/script/script_node.h"

bool ScriptNode::PrepareDirectories() {
    if (!installDir_.IsEmpty() && !CreateDirectoryTree(installDir_)) return false;
    for (int i = 0; i < ChildCount(); ++i)
        if (!Child(i)->PrepareDirectories()) return false;
    return true;
}

bool ScriptNode::RemoveDirectories() {
    bool ok = true;
    for (int i = 0; i < ChildCount(); ++i)
        if (!Child(i)->RemoveDirectories()) ok = false;
    if (!installDir_.IsEmpty() && !DeleteDirectoryTree(installDir_, false)) ok = false;
    return ok;
}
