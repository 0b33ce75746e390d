// Tablet detection against stand-ins of the configuration manager and the tablet library.
// The loader's preference for them is set for the probe program before it starts, so each
// case runs the probe as a process of its own and reads its result from the exit code.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/core/messages.h"
#include "installer/device/device_reenumeration.h"
#include "tests/fakes/test_support.h"

namespace {
// Each test process runs its own copy of the probe, named after it, with the loader's
// preference set for that name only: tests running at the same time do not take back each
// other's settings.
std::string ProbeName() { return "device_probe_" + std::to_string(GetCurrentProcessId()) + ".exe"; }
std::string AppDefaults() { return "Software\\Wine\\AppDefaults\\" + ProbeName(); }
std::string ProbePath() { return TestBinDirectory() + "\\device\\" + ProbeName(); }

class DeviceDetection : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegKey key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, (AppDefaults() + "\\DllOverrides").c_str(), 0,
                                                 nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr));
        for (const char* dll : {"cfgmgr32", "wintab32"})
            RegSetValueExA(key.get(), dll, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
        ASSERT_TRUE(CopyFileA((TestBinDirectory() + "\\device\\device_probe.exe").c_str(), ProbePath().c_str(), FALSE));
    }
    static void TearDownTestSuite() {
        RegDeleteTreeA(HKEY_CURRENT_USER, AppDefaults().c_str());
        DeleteFileA(ProbePath().c_str());
    }
    void SetUp() override {
        SetEnvironmentVariableA("FAKE_DEVICE_TREE", nullptr);
        SetEnvironmentVariableA("FAKE_TABLET_LIBRARY", nullptr);
    }
    void TearDown() override { SetUp(); }

    void Describe(const char* variable, const std::string& name, const std::string& text) {
        std::string path = dir_ / name;
        ASSERT_TRUE(WriteBytes(path, text));
        SetEnvironmentVariableA(variable, path.c_str());
    }
    static std::string Probe() { return "\"" + ProbePath() + "\" "; }
    static int Run(const std::string& command) {
        ProgramRun run = RunProgram(Probe() + command, 30000);
        EXPECT_TRUE(run.finished) << command;
        return static_cast<int>(run.exitCode);
    }

    ScratchDir dir_{"device"};
};

// Node handles of the stand-in are the positions of the "node" lines, the root being 1.
TEST_F(DeviceDetection, UsbSearchReturnsTheFirstMatchInDepthFirstOrder) {
    struct Case { const char* name; const char* tree; int node; };
    const Case cases[] = {
        {"below a hub",
         "node HTREE\\ROOT\\0\n"
         "  node ACPI\\PNP0A03\\0\n"
         "    node PCI\\VEN_8086&DEV_7020\\3\n"
         "      node USB\\ROOT_HUB\\4&2\n"
         "        node USB\\VID_0409&PID_005A\\5&1\n"
         "          node USB\\VID_7A31&PID_0042\\6&3\n"
         "  node ROOT\\LEGACY_BEEP\\0000\n",
         6},
        {"deep in an earlier branch before a shallow one in a later branch",
         "node HTREE\\ROOT\\0\n"
         "  node USB\\ROOT_HUB\\1\n"
         "    node USB\\VID_0409&PID_005A\\2\n"
         "      node USB\\VID_0409&PID_005A\\3\n"
         "        node HID\\VID_7A31&PID_0100&MI_00\\4\n"
         "  node USB\\VID_7A31&PID_0200\\5\n",
         5},
        {"a later sibling after branches without one",
         "node HTREE\\ROOT\\0\n"
         "  node USB\\ROOT_HUB\\1\n"
         "    node USB\\VID_1111&PID_0001\\2\n"
         "    node USB\\VID_2222&PID_0002\\3\n"
         "  node USB\\ROOT_HUB\\4\n"
         "    node USB\\VID_3333&PID_0003\\5\n"
         "    node USB\\VID_7A31&PID_0300\\6\n"
         "    node USB\\VID_7A31&PID_0301\\7\n",
         7},
        {"a matching parent before its matching child",
         "node HTREE\\ROOT\\0\n"
         "  node USB\\VID_7A31&PID_0042\\1\n"
         "    node HID\\VID_7A31&PID_0042&COL01\\2\n",
         2},
        {"none in the tree",
         "node HTREE\\ROOT\\0\n"
         "  node USB\\ROOT_HUB\\1\n"
         "    node USB\\VID_7A31\\2\n"
         "    node USB\\VID_7A30&PID_0042\\3\n",
         0},
        {"root lookup fails", "locate 13\nnode USB\\VID_7A31&PID_0042\\1\n", 0},
    };
    for (const Case& c : cases) {
        Describe("FAKE_DEVICE_TREE", "tree.txt", c.tree);
        EXPECT_EQ(c.node, Run("usb")) << c.name;
    }
    SetEnvironmentVariableA("FAKE_DEVICE_TREE", nullptr);
    EXPECT_EQ(0, Run("usb")) << "no configuration manager answers";
}

TEST_F(DeviceDetection, LibraryProbeTestsEachRecordFieldAndClosesWhatItOpened) {
    struct Case { const char* name; const char* description; int found; };
    const Case cases[] = {
        {"tablet behind the library", "open 1\nmodel 0x0100\nbyte22 2\nbyte23 3\n", 1},
        {"no tablet behind the library", "open 0\n", 0},
        {"record query fails", "open 1\ninfo 0\n", 0},
        {"model field zero", "open 1\nmodel 0\n", 0},
        {"byte 22 zero", "open 1\nbyte22 0\n", 0},
        {"byte 23 zero", "open 1\nbyte23 0\n", 0},
    };
    for (const Case& c : cases) {
        std::string log = dir_ / "library.log";
        DeleteFileA(log.c_str());
        Describe("FAKE_TABLET_LIBRARY", "library.txt", std::string(c.description) + "log " + log + "\n");
        EXPECT_EQ(c.found, Run("library")) << c.name;
        std::string calls = ReadBytes(log);
        EXPECT_EQ(0u, calls.find("open 0\r\n")) << c.name;
        bool opened = std::string(c.description).find("open 1") != std::string::npos;
        EXPECT_EQ(opened, calls.find("info device\r\nclose device\r\n") != std::string::npos) << c.name << calls;
    }
}

TEST_F(DeviceDetection, UsbTabletWinsOverTheLibrary) {
    Describe("FAKE_TABLET_LIBRARY", "library.txt", "open 1\n");
    Describe("FAKE_DEVICE_TREE", "tree.txt", "node HTREE\\ROOT\\0\n  node USB\\VID_7A31&PID_0042\\1\n");
    EXPECT_EQ(2, Run("detect"));
    Describe("FAKE_DEVICE_TREE", "tree.txt", "node HTREE\\ROOT\\0\n  node USB\\VID_0409&PID_0042\\1\n");
    EXPECT_EQ(1, Run("detect"));
}

// Message boxes of a process: their captions and texts, each answered with OK.
struct BoxSeen { std::string caption, text; };

BOOL CALLBACK FindStatic(HWND child, LPARAM param) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    StrBuf text = WindowText(child);
    if (!lstrcmpiA(cls, "Static") && !text.IsEmpty()) *reinterpret_cast<std::string*>(param) = text.c_str();
    return TRUE;
}

struct BoxSearch { DWORD pid; HWND box; };
BOOL CALLBACK FindBox(HWND wnd, LPARAM param) {
    auto* s = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char cls[16] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (pid == s->pid && !strcmp(cls, "#32770") && IsWindowVisible(wnd)) { s->box = wnd; return FALSE; }
    return TRUE;
}

std::vector<BoxSeen> AnswerBoxesUntilExit(HANDLE process, DWORD pid, DWORD* exitCode) {
    std::vector<BoxSeen> seen;
    HWND last = nullptr;
    for (int tick = 0; tick < 300 && WaitForSingleObject(process, 100) == WAIT_TIMEOUT; ++tick) {
        BoxSearch search{pid, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.box || search.box == last) continue;
        BoxSeen box;
        box.caption = WindowText(search.box).c_str();
        EnumChildWindows(search.box, FindStatic, reinterpret_cast<LPARAM>(&box.text));
        seen.push_back(box);
        last = search.box;
        PostMessageA(search.box, WM_COMMAND, IDOK, 0);
    }
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 99);
    GetExitCodeProcess(process, exitCode);
    return seen;
}

TEST_F(DeviceDetection, ReenumerationAsksTheRootNode) {
    std::string log = dir_ / "cm.log";
    Describe("FAKE_DEVICE_TREE", "tree.txt", "node HTREE\\ROOT\\0\nlog " + log + "\n");
    EXPECT_EQ(1, Run("reenumerate"));
    EXPECT_EQ("reenumerate 1 0\r\n", ReadBytes(log));
}

TEST_F(DeviceDetection, ReenumerationFailuresShowTheCallAndTheSystemText) {
    struct Case { const char* description; UINT id; int code; bool reenumerated; };
    const Case cases[] = {
        {"locate 31\n", IDS_CM_LOCATE_FAILED, 31, false},
        {"reenumerate 5\n", IDS_CM_REENUMERATE_FAILED, 5, true},
    };
    for (const Case& c : cases) {
        std::string log = dir_ / "cm.log";
        DeleteFileA(log.c_str());
        Describe("FAKE_DEVICE_TREE", "tree.txt", "node HTREE\\ROOT\\0\n" + std::string(c.description) + "log " + log + "\n");
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string line = Probe() + "reenumerate";
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        KernelHandle process(pi.hProcess), thread(pi.hThread);
        DWORD exitCode = 99;
        std::vector<BoxSeen> boxes = AnswerBoxesUntilExit(process.get(), pi.dwProcessId, &exitCode);
        EXPECT_EQ(0u, exitCode) << c.description;
        ASSERT_EQ(2u, boxes.size()) << c.description;
        EXPECT_EQ("", boxes[0].caption);
        EXPECT_EQ("", boxes[1].caption);
        EXPECT_EQ(c.reenumerated, !ReadBytes(log).empty()) << c.description;
        // The texts come from the string table; until it holds them the boxes are checked
        // for their number, captions and order only.
        StrBuf pattern = ResString(c.id);
        if (pattern.IsEmpty()) continue;
        StrBuf expected;
        expected.Format(pattern, c.code);
        EXPECT_EQ(std::string(expected.c_str()), boxes[0].text);
    }
}
}  // namespace
