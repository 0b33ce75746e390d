// The install plan of a medium: which script variant a system takes, which components a
// given tablet chooses, the language's sections, an install folder given, names with
// quotes and commas, entry lines the reader cuts, and where the install stops. Each case
// lays out a small medium of its own in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include "kit/checker/install_plan.h"
#include "kit/checker/plan_report.h"
#include "kit/checker/plan_request.h"

namespace fs = std::filesystem;

namespace {
// The script's lines end in CR LF, as the installer needs them.
std::string KitText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const char kScript[] = R"([App]
ProduceName="Pad"
DefDir=%Program Files%\Pad
DefPMGroup="Pad",1
UnInstall="Remove Pad"

[App.deu]
ProduceName="Pad"
DefDir=%Program Files%\Pad
DefPMGroup="Pad",1
UnInstall="Pad entfernen"

[Disks]
1="Pad disk"

[SrcDirs]
1=.

[DstDirs]
1=.
2=#
3=##

[SetupApps]
Main program=Main,MainKeys,MainFiles,MainLinks,MainIni
USB driver=Usb,UsbKeys,UsbFiles
Serial driver=Serial,SerialKeys,SerialFiles

[SetupApps.deu]
Hauptprogramm=Main,MainKeys,MainFiles,MainLinks,MainIni
USB-Treiber=Usb,UsbKeys,UsbFiles
Serieller Treiber=Serial,SerialKeys,SerialFiles

[MainKeys]
DefInstall=Y

[MainFiles]
PAD.EXE,1-1:PAD.EXE,1:PAD.EXE,N,Y,0
Installer,1-1:Instally.exe,2:Instally.exe,N,N,0

[MainLinks]
PAD.EXE,Pad,0

[MainIni]
PAD.INI,Paths,Program,1:PAD.EXE,N,N,Y,N

[UsbKeys]
DefInstall=Y
DeviceType=2

[UsbFiles]
USB driver,1-1:PADUSB.SYS,3:PADUSB.SYS,N,Y,0

[SerialKeys]
DefInstall=Y
DeviceType=1

[SerialFiles]
Serial driver,1-1:PADSER.SYS,3:PADSER.SYS,N,Y,5

[End]
)";

// A medium in a fresh temporary folder: the script under each name given, in "Driver", with
// the files it installs beside it.
class TestMedium {
public:
    explicit TestMedium(const std::string& caseName) : root_(fs::temp_directory_path() / ("kitcheck_plan_" + caseName)) {
        fs::remove_all(root_);
        fs::create_directories(root_ / "Driver");
        for (const char* name : {"PAD.EXE", "Instally.exe", "PADUSB.SYS", "PADSER.SYS", "README.TXT"})
            Write(name, std::string("stand-in for ") + name);
    }
    ~TestMedium() { fs::remove_all(root_); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(root_ / "Driver" / name, std::ios::binary) << bytes;
    }
    void Remove(const std::string& name) const { fs::remove(root_ / "Driver" / name); }
    void Script(const std::string& text, std::initializer_list<const char*> names = {"SetupX64.INF", "SetupExt.WNT"}) const {
        for (const char* name : names) Write(name, KitText(text));
    }
    std::string Root() const { return root_.string(); }

private:
    fs::path root_;
};

InstallPlan Plan(const TestMedium& medium, std::vector<std::string> args = {}) {
    args.insert(args.begin(), medium.Root());
    PlanRequest request;
    std::string error;
    EXPECT_TRUE(ReadPlanRequest(args, request, error)) << error;
    return MakeInstallPlan(request);
}

const PlanItem* Find(const InstallPlan& plan, const std::string& kind, const std::string& where) {
    for (const PlanItem& item : plan.install)
        if (item.kind == kind && item.where == where) return &item;
    return nullptr;
}

bool Has(const InstallPlan& plan, const std::string& kind, const std::string& where) {
    return Find(plan, kind, where) != nullptr;
}

bool HasValue(const InstallPlan& plan, const std::string& key, const std::string& what) {
    for (const PlanItem& item : plan.install)
        if (item.kind == "regval" && item.where == key && item.what == what) return true;
    return false;
}

std::string Definition(const InstallPlan& plan, const std::string& name) {
    for (const auto& definition : plan.definitions)
        if (definition.first == name) return definition.second;
    return "(not defined)";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}
}  // namespace

TEST(PlanRequestTest, ReadsTheSystemAndTheInstallOptions) {
    PlanRequest request;
    std::string error;
    ASSERT_TRUE(ReadPlanRequest({"--windows", "XP", "M", "--arch", "x86", "--language", ".DEU", "--device", "1", "--dir",
                                 "D:\\Pad", "--expected"},
                                request, error))
        << error;
    EXPECT_EQ(request.medium, "M");
    EXPECT_EQ(request.machine.osVersionCode, 501);
    EXPECT_EQ(request.machine.architecture, 0);
    EXPECT_EQ(request.languageSuffix, ".deu");
    EXPECT_EQ(request.deviceType, 1);
    EXPECT_EQ(request.installDir, "D:\\Pad");
    EXPECT_EQ(request.form, PlanForm::Expected);
    EXPECT_EQ(SystemTitle(request), "Windows XP");

    PlanRequest defaults;
    ASSERT_TRUE(ReadPlanRequest({"M"}, defaults, error));
    EXPECT_EQ(SystemTitle(defaults), "x64 Windows 7");
    EXPECT_EQ(defaults.languageSuffix, ".enu");
    EXPECT_EQ(defaults.deviceType, 0);
    EXPECT_EQ(defaults.form, PlanForm::Readable);
}

TEST(PlanRequestTest, RefusesWhatMakesNoRequest) {
    struct Case { std::vector<std::string> args; const char* error; };
    const Case cases[] = {
        {{}, "no medium given"},
        {{"A", "B"}, "one medium only: B"},
        {{"M", "--windows", "10"}, "--windows 10: not known"},
        {{"M", "--arch", "arm"}, "--arch arm: not known"},
        {{"M", "--device", "3"}, "--device 3: not known"},
        {{"M", "--language", "xyz"}, "--language xyz: not known"},
        {{"M", "--device"}, "--device needs a value"},
        {{"M", "--dir"}, "--dir needs a folder"},
        {{"M", "--dir", ""}, "--dir needs a folder"},
        {{"M", "--quiet"}, "--quiet: no such option"},
    };
    for (const Case& c : cases) {
        PlanRequest request;
        std::string error;
        EXPECT_FALSE(ReadPlanRequest(c.args, request, error)) << c.error;
        EXPECT_EQ(error.compare(0, strlen(c.error), c.error), 0) << error;
    }
}

// The variant is the first name of the system's chain that the medium has, found whatever
// its case; a system whose chain the medium misses gets no plan.
TEST(PlanVariantTest, EachSystemTakesTheFirstVariantOfItsChain) {
    TestMedium medium("variants");
    medium.Script(kScript, {"setupx64.w23", "SetupX64.INF", "SetupExt.W98", "SetupExt.W2K", "SetupExt.WNT"});
    struct Case { const char* windows; const char* arch; const char* script; };
    const Case cases[] = {
        {"7", "x64", "Driver/setupx64.w23"},   {"vista", "x64", "Driver/setupx64.w23"},
        {"2003", "x64", "Driver/setupx64.w23"}, {"xp", "x64", "Driver/SetupX64.INF"},
        {"98", "x64", "Driver/setupx64.w23"},  {"98", "x86", "Driver/SetupExt.W98"},
        {"me", "x86", "Driver/SetupExt.W98"},  {"95", "x86", "Driver/SetupExt.WNT"},
        {"nt4", "x86", "Driver/SetupExt.WNT"}, {"xp", "x86", "Driver/SetupExt.W2K"},
        {"7", "x86", "Driver/SetupExt.W2K"},   {"2000", "x86", "Driver/SetupExt.W2K"},
    };
    for (const Case& c : cases) {
        InstallPlan plan = Plan(medium, {"--windows", c.windows, "--arch", c.arch});
        EXPECT_EQ(plan.script, c.script) << c.windows << " " << c.arch;
        EXPECT_EQ(plan.outcome, PlanComplete) << c.windows << " " << c.arch << ": " << plan.stop;
    }
    InstallPlan itanium = Plan(medium, {"--arch", "ia64"});
    EXPECT_EQ(itanium.outcome, PlanNoScript);
    EXPECT_EQ(itanium.chain.front(), "SetupI64.W7");
    EXPECT_TRUE(itanium.install.empty());
}

// The all-users group needs an NT system; the 95 family puts it in the user's own menu.
TEST(PlanVariantTest, TheGroupFolderFollowsTheSystemFamily) {
    TestMedium medium("group");
    medium.Script(kScript);
    EXPECT_EQ(Definition(Plan(medium, {"--windows", "xp"}), "{GROUP}"), "{COMMONPROGRAMS}\\Pad");
    EXPECT_EQ(Definition(Plan(medium, {"--windows", "98"}), "{GROUP}"), "{PROGRAMS}\\Pad");
    EXPECT_TRUE(Has(Plan(medium, {"--windows", "98"}), "link", "{GROUP}\\Pad.LNK"));
}

// "/DEV:n" chooses the device components by their type; the others install either way.
TEST(PlanDeviceTest, TheTabletGivenChoosesTheDeviceComponents) {
    TestMedium medium("device");
    medium.Script(kScript);
    const char* const key = "HKCR\\SetupExt\\Pad\\INFNAME\\";
    struct Case { const char* device; bool usb; bool serial; };
    const Case cases[] = {{"0", false, false}, {"1", false, true}, {"2", true, false}};
    for (const Case& c : cases) {
        InstallPlan plan = Plan(medium, {"--device", c.device});
        EXPECT_EQ(Has(plan, "file", "{SYSTEM}\\PADUSB.SYS"), c.usb) << c.device;
        EXPECT_EQ(Has(plan, "file", "{SYSTEM}\\PADSER.SYS"), c.serial) << c.device;
        EXPECT_EQ(Has(plan, "regval", std::string(key) + "AppUsb"), c.usb) << c.device;
        EXPECT_EQ(Has(plan, "regval", std::string(key) + "AppSerial"), c.serial) << c.device;
        EXPECT_TRUE(Has(plan, "file", "{INSTALLDIR}\\PAD.EXE")) << c.device;
        EXPECT_TRUE(HasValue(plan, std::string(key) + "AppMain", "(default) REG_SZ Main program")) << c.device;
    }
    InstallPlan serialPlan = Plan(medium, {"--device", "1"});
    const PlanItem* serial = Find(serialPlan, "file", "{SYSTEM}\\PADSER.SYS");
    ASSERT_TRUE(serial);
    EXPECT_NE(serial->detail.find("install mode 5"), std::string::npos) << serial->detail;
}

// A language with its own sections takes them whole; one without takes the plain sections.
TEST(PlanLanguageTest, TheSuffixChoosesTheSections) {
    TestMedium medium("language");
    medium.Script(kScript);
    const char* const key = "HKCR\\SetupExt\\Pad\\INFNAME\\AppMain";
    InstallPlan german = Plan(medium, {"--language", "deu"});
    EXPECT_TRUE(Has(german, "link", "{GROUP}\\Pad entfernen.LNK"));
    EXPECT_FALSE(Has(german, "link", "{GROUP}\\Remove Pad.LNK"));
    EXPECT_TRUE(HasValue(german, key, "(default) REG_SZ Hauptprogramm"));
    for (const char* language : {"enu", "fra", "none"}) {
        InstallPlan plain = Plan(medium, {"--language", language});
        EXPECT_TRUE(Has(plain, "link", "{GROUP}\\Remove Pad.LNK")) << language;
        EXPECT_TRUE(HasValue(plain, key, "(default) REG_SZ Main program")) << language;
    }
}

// "/DEFDIR:" replaces the script's folder as given; a machine folder keeps its own name.
TEST(PlanFolderTest, AFolderGivenReplacesTheDefaultFolder) {
    TestMedium medium("folder");
    medium.Script(kScript);
    InstallPlan byDefault = Plan(medium);
    EXPECT_EQ(Definition(byDefault, "{INSTALLDIR}"), "{PROGRAMFILES}\\Pad");
    EXPECT_TRUE(Has(byDefault, "folder", "{INSTALLDIR}"));

    InstallPlan given = Plan(medium, {"--dir", "D:\\Tools\\Pad"});
    EXPECT_EQ(Definition(given, "{INSTALLDIR}"), "D:\\Tools\\Pad");
    EXPECT_TRUE(Has(given, "file", "{INSTALLDIR}\\PAD.EXE"));
    EXPECT_TRUE(HasValue(given, "HKCR\\SetupExt\\Pad", "(default) REG_SZ {INSTALLDIR}"));
    ASSERT_TRUE(Find(given, "folder", "{INSTALLDIR}"));
    EXPECT_EQ(Find(given, "folder", "{INSTALLDIR}")->after, "removed when empty");
    EXPECT_TRUE(Has(given, "ini", "{WINDOWS}\\PAD.INI"));
    EXPECT_EQ(Find(given, "ini", "{WINDOWS}\\PAD.INI")->what, "[Paths] Program={INSTALLDIR}\\PAD.EXE");

    InstallPlan windows = Plan(medium, {"--dir", "C:\\Windows"});
    EXPECT_TRUE(Has(windows, "file", "{WINDOWS}\\PAD.EXE"));
    EXPECT_FALSE(Has(windows, "folder", "{WINDOWS}"));   // a fresh machine has it already
}

// Quotes keep commas inside a name, and the names reach the record, the group and the links.
TEST(PlanNamesTest, QuotedNamesWithCommasStayWhole) {
    TestMedium medium("names");
    std::string script = Replaced(kScript, "ProduceName=\"Pad\"", "ProduceName=\"Pad, Inc.\"");
    script = Replaced(script, "DefPMGroup=\"Pad\",1", "DefPMGroup=\"Pad, Tools\",1");
    script = Replaced(script, "PAD.EXE,Pad,0", "PAD.EXE,\"Pad, the \"\"editor\"\"\",0");
    script = Replaced(script, "Installer,1-1:", "\"Read me, first\",1-1:README.TXT,1:\"Read me, first.txt\",N,Y,0\nInstaller,1-1:");
    medium.Script(script);
    InstallPlan plan = Plan(medium);
    EXPECT_EQ(Definition(plan, "{GROUP}"), "{COMMONPROGRAMS}\\Pad, Tools");
    EXPECT_TRUE(HasValue(plan, "HKCR\\SetupExt\\Pad, Inc.", "(default) REG_SZ {INSTALLDIR}"));
    EXPECT_TRUE(HasValue(plan, "HKCR\\SetupExt\\Pad, Inc.\\INFNAME\\GroupName", "(default) REG_SZ Pad, Tools"));
    EXPECT_TRUE(Has(plan, "link", "{GROUP}\\Pad, the \"editor\".LNK"));
    EXPECT_TRUE(Has(plan, "file", "{INSTALLDIR}\\Read me, first.txt"));
    const PlanItem* uninstall = Find(plan, "link", "{GROUP}\\Remove Pad.LNK");
    ASSERT_TRUE(uninstall);
    EXPECT_EQ(uninstall->what, "{WINDOWS}\\Instally.exe; not set; /@SetupExt\\Pad, Inc.");
}

// An entry ends at its first "=" outside quotes and loses the text before a quote inside a
// field: the plan installs what the installer would, not what the author meant.
TEST(PlanCutsTest, EntriesTheReaderCutsInstallWhatIsLeft) {
    TestMedium medium("cuts");
    std::string script = Replaced(kScript, "PAD.EXE,1-1:PAD.EXE,1:PAD.EXE,N,Y,0",
                                  "PAD.EXE,1-1:PAD.EXE,1:PAD.EXE,N,Y,0\n"
                                  "Notes,1-1:README.TXT,1:NOTES=TXT,N,N,5\n"
                                  "Other,1-1:README.TXT,1:OLD\"NEW.TXT\",N,Y,0");
    medium.Script(script);
    InstallPlan plan = Plan(medium);
    // Cut after the destination name: the fields after it take their defaults.
    const PlanItem* notes = Find(plan, "file", "{INSTALLDIR}\\NOTES");
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->after, "removed");
    EXPECT_NE(notes->detail.find("install mode 0"), std::string::npos) << notes->detail;
    EXPECT_FALSE(Has(plan, "file", "{INSTALLDIR}\\NOTES=TXT"));
    EXPECT_TRUE(Has(plan, "file", "{INSTALLDIR}\\NEW.TXT"));
    EXPECT_FALSE(Has(plan, "file", "{INSTALLDIR}\\OLDNEW.TXT"));
}

// A source missing from the medium ends a silent install there: no record, nothing after.
TEST(PlanStopTest, AMissingSourceEndsTheInstallWithoutARecord) {
    TestMedium medium("stop");
    medium.Script(kScript);
    medium.Remove("Instally.exe");
    InstallPlan plan = Plan(medium);
    EXPECT_EQ(plan.outcome, PlanStopsEarly);
    EXPECT_NE(plan.stop.find("Driver\\Instally.exe"), std::string::npos) << plan.stop;
    EXPECT_TRUE(Has(plan, "file", "{INSTALLDIR}\\PAD.EXE"));
    EXPECT_FALSE(Has(plan, "link", "{GROUP}\\Pad.LNK"));
    EXPECT_FALSE(Has(plan, "regval", "HKCR\\SetupExt\\Pad"));

    InstallPlan none = MakeInstallPlan([] { PlanRequest r; r.medium = "/nonexistent/medium"; return r; }());
    EXPECT_EQ(none.outcome, PlanNoMedium);
}

// What the uninstall keeps: files and INI lines marked to stay, the record's parent key.
TEST(PlanUninstallTest, KeepsWhatTheKitMarksToStay) {
    TestMedium medium("uninstall");
    medium.Script(kScript);
    InstallPlan plan = Plan(medium);
    ASSERT_TRUE(Find(plan, "file", "{WINDOWS}\\Instally.exe"));
    EXPECT_EQ(Find(plan, "file", "{WINDOWS}\\Instally.exe")->after.compare(0, 5, "stays"), 0);
    EXPECT_EQ(Find(plan, "ini", "{WINDOWS}\\PAD.INI")->after, "removed");
    EXPECT_EQ(Find(plan, "file", "{INSTALLDIR}\\PAD.EXE")->after, "removed");
    ASSERT_TRUE(Find(plan, "regkey", "HKCR\\SetupExt"));
    EXPECT_EQ(Find(plan, "regkey", "HKCR\\SetupExt")->after.compare(0, 5, "stays"), 0);
}

// The expected-results form is what tools/kit_check reads: five fields a line.
TEST(PlanReportTest, TheExpectedFormHasFiveFieldsALine) {
    TestMedium medium("report");
    medium.Script(kScript);
    PlanRequest request;
    std::string error;
    ASSERT_TRUE(ReadPlanRequest({medium.Root(), "--device", "2", "--expected"}, request, error));
    InstallPlan plan = MakeInstallPlan(request);
    std::string text = PlanExpected(plan, request);
    size_t items = 0, start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        if (line.empty() || line[0] == '#') continue;
        ++items;
        size_t fields = 1;
        for (size_t at = line.find(" | "); at != std::string::npos; at = line.find(" | ", at + 3)) ++fields;
        EXPECT_EQ(fields, 5u) << line;
    }
    EXPECT_EQ(items, plan.install.size() + plan.uninstall.size());
    EXPECT_NE(PlanReadable(plan, request).find("{SYSTEM}\\PADUSB.SYS"), std::string::npos);
}
