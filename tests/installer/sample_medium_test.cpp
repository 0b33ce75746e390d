// The sample medium as the installer meets it: the script this machine picks loads into
// the application with its [App] settings, tables and components, and everything the
// script names is on the medium, with the versions the expected results rely on.
#include <gtest/gtest.h>
#include <windows.h>
#include <lzexpand.h>
#include <map>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/registry/registry_view.h"
#include "installer/run/setup_script_selection.h"
#include "installer/run/startup.h"
#include "installer/core/system_paths.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/script/mapped_file.h"
#include "installer/script/script_reader.h"
#include "installer/tree/setup_script.h"
#include "tests/fakes/test_support.h"

namespace {

std::string Str(const StrBuf& text) { return text.c_str(); }

const std::string& MediumDir() {
    static const std::string dir = WindowsPath(SAMPLE_MEDIUM_DIR);
    return dir;
}
std::string DriverDir() { return MediumDir() + "\\Driver"; }
// The medium's binaries folder for programs like this one.
std::string OwnBinariesFolder() { return sizeof(void*) == 8 ? "x64" : "x86"; }

// The script this machine picks from the medium, expanded as the install run expands it.
class ExpandedScript {
public:
    explicit ExpandedScript(const ScratchDir& dir) : path_(dir / "script.inf") {
        WriteBytes(path_, "");
        ComputeNativeArchitecture();   // as start-up does: the chain depends on it
        selected_ = SelectSetupScript(path_.c_str(), DriverDir().c_str());
    }
    bool selected() const { return selected_; }
    const std::string& path() const { return path_; }
private:
    std::string path_;
    bool selected_ = false;
};

class SampleMediumTest : public ::testing::Test {
protected:
    void SetUp() override { savedMode_ = RunMode(); SetRunMode(RunInstallMode); TheApplication().Reset(); }
    void TearDown() override { TheApplication().Reset(); SetRunMode(savedMode_); }
    int savedMode_ = 0;
};

// The key lines of one section of a script, read by plain name.
std::vector<StrBuf> SectionLines(const std::string& scriptPath, const char* section) {
    std::vector<StrBuf> lines;
    MappedFile file(scriptPath.c_str());
    LineFunctionReader reader([&](const StrBuf& line) { lines.push_back(line); });
    ReadSectionPass(file.Text(), section, 8, reader);
    return lines;
}

// A file entry line's source and destination, as the file reader cuts them.
struct FileLine {
    std::string display, sourceName, destName;
    int sourceDir = 0, destDir = 0;
};
FileLine CutFileLine(StrBuf line) {
    FileLine entry;
    entry.display = Str(NextField(line, ',', true));
    NextField(line, '-', true);
    entry.sourceDir = atoi(NextField(line, ':', true).c_str());
    entry.sourceName = Str(NextField(line, ',', true));
    entry.destDir = atoi(NextField(line, ':', true).c_str());
    entry.destName = Str(NextField(line, ',', true));
    return entry;
}

std::string FileVersion(const std::string& path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return "<none>";
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length))
        return "<none>";
    char text[64];
    wsprintfA(text, "%u.%u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
              HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return text;
}

bool LzExpand(const std::string& from, const std::string& to) {
    OFSTRUCT ofFrom{}, ofTo{};
    INT source = LZOpenFileA(const_cast<char*>(from.c_str()), &ofFrom, OF_READ);
    if (source < 0) return false;
    INT target = LZOpenFileA(const_cast<char*>(to.c_str()), &ofTo, OF_CREATE);
    LONG copied = target < 0 ? -1 : LZCopy(source, target);
    LZClose(source);
    if (target >= 0) LZClose(target);
    return copied > 0;
}

struct ExpectedComponent {
    const char* name;
    const char* recordName;
    const char* keys;
    const char* files;
    const char* shortcuts;
};
const ExpectedComponent kComponents[] = {
    {"USB tablet driver", "AppUsb", "UsbKeys", "UsbFiles", ""},
    {"Serial tablet driver", "AppSerial", "SerialKeys", "SerialFiles", ""},
    {"Tablet control panel", "AppPanel", "PanelKeys", "PanelFiles", "PanelLinks"},
    {"Tablet help", "AppHelp", "HelpKeys", "HelpFiles", "HelpLinks"},
};

}  // namespace

TEST_F(SampleMediumTest, ThisMachinePicksTheCompressedX64ScriptAndExpandsIt) {
    ScratchDir dir("medium-pick");
    ExpandedScript script(dir);
    ASSERT_TRUE(script.selected());
    // The x64 Windows 7 script is stored LZ-compressed; its expansion is the plain x64 script.
    std::string stored = ReadBytes(DriverDir() + "\\SetupX64.W7");
    ASSERT_EQ(0, stored.compare(0, 4, "SZDD"));
    std::string expanded = ReadBytes(script.path());
    EXPECT_EQ(ReadBytes(DriverDir() + "\\SetupX64.INF"), expanded);
    EXPECT_NE(std::string::npos, expanded.find("2=x64\r\n"));
    // The 32-bit scripts differ only in the binaries folder.
    std::string x86 = ReadBytes(DriverDir() + "\\SetupExt.WNT");
    EXPECT_EQ(ReadBytes(DriverDir() + "\\SetupExt.W7"), x86);
    EXPECT_NE(std::string::npos, x86.find("2=x86\r\n"));
    EXPECT_EQ(expanded.size(), x86.size());
}

TEST_F(SampleMediumTest, TheScriptLoadsWithItsAppSettingsTablesAndComponents) {
    ScratchDir dir("medium-load");
    ExpandedScript script(dir);
    ASSERT_TRUE(script.selected());
    Application& app = TheApplication();
    app.SetSourceDir(DriverDir().c_str());
    ASSERT_EQ(1, app.Load(script.path().c_str(), true));

    const ApplicationSettings& s = app.settings;
    EXPECT_NE(std::string::npos, Str(s.appType).find("Driver"));   // older driver installs are removed
    EXPECT_EQ("Zorvant Pen Tablet@", Str(s.appName));
    EXPECT_EQ("Zorvant Pen Tablet", Str(s.caption));
    EXPECT_EQ("Zorvant Tablet", Str(s.produceName));
    EXPECT_EQ("Zorvant Tablet", Str(app.GroupName()));
    EXPECT_EQ(1, s.commonGroup);
    EXPECT_TRUE(app.UseCommonPrograms());
    EXPECT_EQ("Uninstall Zorvant Tablet", Str(s.uninstallName));
    // The default folder's macro is expanded when read, from the view the kit's folders are
    // looked up in: on 64-bit Windows the 64-bit "Program Files", also for the 32-bit build.
    char programFiles[MAX_PATH] = "";
    DWORD size = sizeof programFiles;
    RegKey currentVersion;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                                           KEY_READ | KitRegistryView(), currentVersion.put()));
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(currentVersion.get(), nullptr, "ProgramFilesDir", RRF_RT_REG_SZ, nullptr,
                                          programFiles, &size));
    EXPECT_EQ(std::string(programFiles) + "\\Zorvant Tablet", Str(s.defaultDir));
    // Background, logo and mask: stretched picture, the uninstaller gets the same one.
    EXPECT_EQ("KITBK.BMP", Str(s.bkBmpName));
    EXPECT_EQ(1, s.bkStretch);
    EXPECT_EQ("KITBK.BMP", Str(s.bkUBmpName));
    EXPECT_EQ("KITLOGO.BMP", Str(s.logoBmpName));
    EXPECT_EQ("KITMASK.BMP", Str(s.logoBmpMaskName));
    EXPECT_EQ("Zorvant", Str(s.logoName));
    EXPECT_EQ(ColourOf(16, 37, 69), s.bkTop);
    EXPECT_EQ(ColourOf(11, 111, 134), s.bkBottom);
    EXPECT_EQ(64, s.bkSteps);
    EXPECT_TRUE(s.bkFrame);
    EXPECT_EQ("Georgia", Str(s.fontAppName));
    EXPECT_FALSE(s.silent);
    EXPECT_FALSE(s.enableNewUI);
    EXPECT_FALSE(s.dontKeepUninstallInfo);
    EXPECT_FALSE(s.noPMInfo);
    for (const char* picture : {"KITBK.BMP", "KITLOGO.BMP", "KITMASK.BMP"})
        EXPECT_TRUE(FileThere(DriverDir() + "\\" + picture)) << picture;

    SetupScript* loaded = app.ScriptAt(0);
    ASSERT_NE(nullptr, loaded);
    ASSERT_NE(nullptr, loaded->FindDisk(1));
    EXPECT_EQ("Zorvant Pen Tablet 5.2", Str(loaded->FindDisk(1)->label));
    std::map<int, std::string> sources = {{1, "."}, {2, "x64"}, {3, "Help"}};
    for (const auto& [id, spec] : sources) {
        ASSERT_NE(nullptr, loaded->FindSourceDir(id)) << id;
        EXPECT_EQ(spec, Str(loaded->FindSourceDir(id)->specification));
    }
    std::map<int, std::string> destinations = {{1, "."}, {2, "##\\drivers"}, {3, "Help"}, {4, "#\\INF"}, {5, "#"}};
    for (const auto& [id, spec] : destinations) {
        ASSERT_NE(nullptr, loaded->FindDestDir(id)) << id;
        EXPECT_EQ(spec, Str(loaded->FindDestDir(id)->specification));
    }

    ASSERT_EQ(4, app.Count(KindComponent));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(kComponents[i].name);
        Component* component = app.ComponentAt(i);
        ASSERT_NE(nullptr, component);
        EXPECT_EQ(kComponents[i].name, Str(component->name));
        EXPECT_EQ(kComponents[i].recordName, Str(component->recordName));
        EXPECT_EQ(kComponents[i].keys, Str(component->sections[0]));
        EXPECT_EQ(kComponents[i].files, Str(component->sections[1]));
        EXPECT_EQ(kComponents[i].shortcuts, Str(component->sections[2]));
    }
    // The panel keeps its registry lines in both registry sections.
    EXPECT_EQ("PanelReg", Str(app.ComponentAt(2)->sections[5]));
    EXPECT_EQ("PanelReg2", Str(app.ComponentAt(2)->sections[6]));
}

// Every file line names a source file on the medium (through its source folder), every
// shortcut and program names a file of its own component, and each component has the
// number of file entries that the expected results list.
TEST_F(SampleMediumTest, EverythingTheScriptNamesIsOnTheMedium) {
    ScratchDir dir("medium-files");
    ExpandedScript script(dir);
    ASSERT_TRUE(script.selected());
    const std::map<int, std::string> sourceFolders = {
        {1, DriverDir()}, {2, DriverDir() + "\\x64"}, {3, DriverDir() + "\\Help"}};
    const std::map<std::string, int> fileCounts = {
        {"UsbFiles", 3}, {"SerialFiles", 2}, {"PanelFiles", 3}, {"HelpFiles", 3}};

    for (const ExpectedComponent& component : kComponents) {
        SCOPED_TRACE(component.files);
        std::vector<std::string> destNames;
        for (StrBuf line : SectionLines(script.path(), component.files)) {
            StrBuf key = CutKey(line);
            if (_stricmp(key.c_str(), "CopyFolder") == 0) {
                FileLine folder = CutFileLine(StrBuf(("folder," + Str(line)).c_str()));
                ASSERT_TRUE(sourceFolders.count(folder.sourceDir));
                WIN32_FIND_DATAA found;
                HANDLE find = FindFirstFileA((sourceFolders.at(folder.sourceDir) + "\\" + folder.sourceName).c_str(), &found);
                ASSERT_NE(INVALID_HANDLE_VALUE, find);
                do {
                    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) destNames.push_back(found.cFileName);
                } while (FindNextFileA(find, &found));
                FindClose(find);
                continue;
            }
            FileLine entry = CutFileLine(key);
            ASSERT_TRUE(sourceFolders.count(entry.sourceDir)) << entry.display;
            EXPECT_TRUE(FileThere(sourceFolders.at(entry.sourceDir) + "\\" + entry.sourceName)) << entry.sourceName;
            EXPECT_GE(entry.destDir, 1);
            EXPECT_LE(entry.destDir, 5);
            destNames.push_back(entry.destName);
        }
        EXPECT_EQ(fileCounts.at(component.files), static_cast<int>(destNames.size()));

        auto named = [&](const std::string& name) {
            for (const std::string& dest : destNames)
                if (_stricmp(dest.c_str(), name.c_str()) == 0) return true;
            return false;
        };
        if (*component.shortcuts)
            for (StrBuf line : SectionLines(script.path(), component.shortcuts))
                EXPECT_TRUE(named(Str(NextField(line, ',', true)))) << "shortcut target";
        for (StrBuf line : SectionLines(script.path(), component.keys)) {
            std::string key = Str(CutKey(line));
            if (key == "IExeBefore" || key == "IExeAfter" || key == "UExeBefore" || key == "UExeAfter" ||
                key == "LibraryReg")
                EXPECT_TRUE(named(Str(NextField(line, ',', true)))) << key;
        }
    }
}

// The compressed drivers and programs expand to the versioned binaries the kit lists.
TEST_F(SampleMediumTest, CompressedBinariesExpandToTheirVersions) {
    ScratchDir dir("medium-versions");
    struct Binary { const char* stored; const char* version; } binaries[] = {
        {"ZTUSB.SY_", "5.2.0.14"}, {"ZTSER.SY_", "5.2.0.9"}, {"KitSetup.ex_", "5.2.0.3"},
        {"TabletExt.dl_", "5.2.1.0"}};
    for (const Binary& binary : binaries) {
        SCOPED_TRACE(binary.stored);
        std::string expanded = dir / "expanded.bin";
        DeleteFileA(expanded.c_str());
        ASSERT_TRUE(LzExpand(DriverDir() + "\\x64\\" + binary.stored, expanded));
        EXPECT_EQ(0, ReadBytes(expanded).compare(0, 2, "MZ"));
        EXPECT_EQ(binary.version, FileVersion(expanded));
    }
    EXPECT_EQ("5.2.1.0", FileVersion(DriverDir() + "\\x64\\TabletPanel.exe"));
}

// The library registers itself below HKEY_CLASSES_ROOT and unregisters without a trace. It is
// loaded into this process, so the copy built for this program's processor is the one taken
// (the 32-bit build on 64-bit Windows cannot load the x64 one).
TEST_F(SampleMediumTest, TheKitLibraryRegistersAndUnregisters) {
    ScratchDir dir("medium-library");
    std::string library = dir / "TabletExt.dll";
    ASSERT_TRUE(LzExpand(DriverDir() + "\\" + OwnBinariesFolder() + "\\TabletExt.dl_", library));
    HMODULE module = LoadLibraryA(library.c_str());
    ASSERT_NE(nullptr, module);
    using Entry = HRESULT(WINAPI*)();
    auto registerServer = reinterpret_cast<Entry>(GetProcAddress(module, "DllRegisterServer"));
    auto unregisterServer = reinterpret_cast<Entry>(GetProcAddress(module, "DllUnregisterServer"));
    ASSERT_NE(nullptr, registerServer);
    ASSERT_NE(nullptr, unregisterServer);

    EXPECT_EQ(S_OK, registerServer());
    char value[MAX_PATH] = "";
    LONG size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT, "TabletKit.Extension\\InprocServer32", value, &size));
    EXPECT_EQ(0, _stricmp(library.c_str(), value));
    EXPECT_EQ(S_OK, unregisterServer());
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyA(HKEY_CLASSES_ROOT, "TabletKit.Extension", &key));
    if (key) RegCloseKey(key);
    EXPECT_EQ(S_OK, unregisterServer());   // again: nothing left to remove is no failure
    FreeLibrary(module);
}

// The kit's programs record how they were started when a log is named, and run silently.
TEST_F(SampleMediumTest, KitProgramsRecordTheirCommandLine) {
    ScratchDir dir("medium-program");
    std::string log = dir / "programs.log";
    ASSERT_TRUE(SetEnvironmentVariableA("KIT_PROGRAM_LOG", log.c_str()));
    std::string program = DriverDir() + "\\x64\\TabletPanel.exe";
    ProgramRun run = RunProgram("\"" + program + "\" /Install", 10000);
    SetEnvironmentVariableA("KIT_PROGRAM_LOG", nullptr);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ("\"" + program + "\" /Install\r\n", ReadBytes(log));
}
