#include "installer/script/script_node.h"

ScriptNode::ScriptNode(ScriptNode* parent, int kind) : parent_(parent), kind_(kind) {}

ScriptNode::~ScriptNode() = default;   // children go last first (OwnedList)

static bool CountsItself(int kind) { return kind == KindApplication || kind == KindComponent || kind == KindScript; }

ScriptNode* ScriptNode::GetAt(int index, int kind, int* childPosition, int* indexInChild) {
    if (kind == AnyChild) return Child(index);
    if (index < 0) return nullptr;
    if (CountsItself(kind) && kind == kind_) {
        if (index == 0) return this;
        --index;
    }
    for (int i = 0; i < ChildCount(); ++i) {
        int count = Child(i)->Count(kind);
        if (index < count) {
            if (childPosition) *childPosition = i;
            if (indexInChild) *indexInChild = index;
            return Child(i)->GetAt(index, kind);
        }
        index -= count;
    }
    return nullptr;
}

int ScriptNode::Count(int kind) {
    if (kind == AnyChild) return ChildCount();
    int count = CountsItself(kind) && kind == kind_ ? 1 : 0;
    for (int i = 0; i < ChildCount(); ++i) count += Child(i)->Count(kind);
    return count;
}

bool ScriptNode::Walk(int kind, ProgressCallback callback, void* context, bool install) {
    unsigned begin = install ? WalkListBegin : WalkUnlistBegin;
    unsigned end = install ? WalkListEnd : WalkUnlistEnd;
    if (callback && callback(begin, kind, reinterpret_cast<uintptr_t>(parent_), context) != 0) return false;
    bool ok = true;
    for (int i = 0; i < ChildCount() && ok; ++i)
        ok = install ? Child(i)->InstallWalk(kind, callback, context) : Child(i)->RemoveWalk(kind, callback, context);
    if (callback) callback(end, kind, reinterpret_cast<uintptr_t>(parent_), context);
    return ok;
}

bool ScriptNode::InstallWalk(int kind, ProgressCallback callback, void* context) {
    return Walk(kind, callback, context, true);
}

bool ScriptNode::RemoveWalk(int kind, ProgressCallback callback, void* context) {
    return Walk(kind, callback, context, false);
}

DirEntry* ScriptNode::FindSourceDir(int id) { return parent_ ? parent_->FindSourceDir(id) : nullptr; }
DirEntry* ScriptNode::FindDestDir(int id) { return parent_ ? parent_->FindDestDir(id) : nullptr; }

StrBuf ScriptNode::SourceDir() const {
    if (!sourceDir_.IsEmpty()) return sourceDir_;
    return parent_ ? parent_->SourceDir() : StrBuf();
}

StrBuf ScriptNode::InstallDir() const {
    if (!installDir_.IsEmpty()) return installDir_;
    return parent_ ? parent_->InstallDir() : StrBuf();
}

StrBuf ScriptNode::GroupName() const {
    if (!groupName_.IsEmpty()) return groupName_;
    return parent_ ? parent_->GroupName() : StrBuf();
}

bool ScriptNode::UseCommonPrograms() const { return parent_ && parent_->UseCommonPrograms(); }

bool ScriptNode::RestartWantedOnInstall() {
    for (int i = 0; i < ChildCount(); ++i)
        if (Child(i)->RestartWantedOnInstall()) return true;
    return false;
}

bool ScriptNode::RestartWantedOnUninstall() {
    for (int i = 0; i < ChildCount(); ++i)
        if (Child(i)->RestartWantedOnUninstall()) return true;
    return false;
}

void ScriptNode::SaveRecord(HKEY key) {
    for (int i = 0; i < ChildCount(); ++i) Child(i)->SaveRecord(key);
}

void ScriptNode::RemoveRecord(HKEY key) {
    for (int i = 0; i < ChildCount(); ++i) Child(i)->RemoveRecord(key);
}

bool ScriptNode::CanRemove() {
    for (int i = 0; i < ChildCount(); ++i)
        if (!Child(i)->CanRemove()) return false;
    return true;
}

void ScriptNode::RunAfterPrograms() {
    for (int i = 0; i < ChildCount(); ++i) Child(i)->RunAfterPrograms();
}

void ScriptNode::RunBeforePrograms() {
    for (int i = 0; i < ChildCount(); ++i) Child(i)->RunBeforePrograms();
}

void ScriptNode::Resolve() {
    for (int i = 0; i < ChildCount(); ++i) Child(i)->Resolve();
}

bool ScriptNode::WriteScript(HANDLE file) {
    bool ok = true;
    for (int i = 0; i < ChildCount(); ++i)
        if (!Child(i)->WriteScript(file)) ok = false;
    return ok;
}

int ScriptNode::Depth() const {
    int depth = 0;
    for (const ScriptNode* node = parent_; node; node = node->parent_) ++depth;
    return depth;
}
