// Stand-in for the configuration manager: a device tree read from the file named by
// FAKE_DEVICE_TREE. Lines "node <device id>", indented two spaces per level below the root;
// "locate <code>" and "reenumerate <code>" set those calls' results; "log <path>" records
// re-enumerations. A node's handle is its line's position among the nodes, the root being 1.
#include "tests/fakes/fake_description.h"

namespace {
struct Node { int depth; std::string id; };
struct Tree {
    std::vector<Node> nodes;
    DWORD locateResult = 0;
    bool locateGiven = false;
    DWORD reenumerateResult = 0;
    std::string log;
};

const Tree& TheTree() {
    static Tree tree;
    static bool loaded = false;
    if (loaded) return tree;
    loaded = true;
    for (const std::string& line : DescriptionLines("FAKE_DEVICE_TREE")) {
        size_t indent = line.find_first_not_of(' ');
        if (indent == std::string::npos) continue;
        std::string rest = line.substr(indent), value;
        if (DescriptionValue(rest, "node", value)) tree.nodes.push_back({static_cast<int>(indent / 2), value});
        else if (DescriptionValue(rest, "locate", value)) {
            tree.locateResult = strtoul(value.c_str(), nullptr, 0);
            tree.locateGiven = true;
        }
        else if (DescriptionValue(rest, "reenumerate", value)) tree.reenumerateResult = strtoul(value.c_str(), nullptr, 0);
        else if (DescriptionValue(rest, "log", value)) tree.log = value;
    }
    if (tree.nodes.empty() && !tree.locateGiven) tree.locateResult = 0x13;   // CR_FAILURE: no tree
    return tree;
}

const DWORD CrInvalidDevNode = 0x05, CrNoSuchDevNode = 0x0D, CrBufferSmall = 0x1A;

bool Valid(DWORD node) { return node >= 1 && node <= TheTree().nodes.size(); }
const Node& At(DWORD node) { return TheTree().nodes[node - 1]; }

// The next node after start at the given depth, before the tree climbs above it.
DWORD NextAtDepth(DWORD start, int depth) {
    const auto& nodes = TheTree().nodes;
    for (DWORD i = start; i < nodes.size(); ++i) {
        if (nodes[i].depth == depth) return i + 1;
        if (nodes[i].depth < depth) return 0;
    }
    return 0;
}
}  // namespace

extern "C" {
__declspec(dllexport) DWORD WINAPI CM_Locate_DevNodeA(DWORD* node, const char* id, ULONG flags) {
    if (!node) return 0x03;
    *node = 0;
    if (TheTree().locateResult != 0) return TheTree().locateResult;
    *node = 1;
    return 0;
}

__declspec(dllexport) DWORD WINAPI CM_Get_Child(DWORD* child, DWORD node, ULONG flags) {
    if (!child) return 0x03;
    *child = 0;
    if (!Valid(node)) return CrInvalidDevNode;
    DWORD next = node < TheTree().nodes.size() && TheTree().nodes[node].depth == At(node).depth + 1 ? node + 1 : 0;
    if (!next) return CrNoSuchDevNode;
    *child = next;
    return 0;
}

__declspec(dllexport) DWORD WINAPI CM_Get_Sibling(DWORD* sibling, DWORD node, ULONG flags) {
    if (!sibling) return 0x03;
    *sibling = 0;
    if (!Valid(node) || node == 1) return node == 1 ? CrNoSuchDevNode : CrInvalidDevNode;
    DWORD next = NextAtDepth(node, At(node).depth);
    if (!next) return CrNoSuchDevNode;
    *sibling = next;
    return 0;
}

__declspec(dllexport) DWORD WINAPI CM_Get_Device_IDA(DWORD node, char* buffer, ULONG chars, ULONG flags) {
    if (!Valid(node)) return CrInvalidDevNode;
    const std::string& id = At(node).id;
    if (!buffer || id.size() + 1 > chars) return CrBufferSmall;
    memcpy(buffer, id.c_str(), id.size() + 1);
    return 0;
}

__declspec(dllexport) DWORD WINAPI CM_Reenumerate_DevNode(DWORD node, ULONG flags) {
    if (!Valid(node)) return CrInvalidDevNode;
    AppendLogLine(TheTree().log, "reenumerate " + std::to_string(node) + " " + std::to_string(flags));
    return TheTree().reenumerateResult;
}
}
