// The [App] reader and writer and the Disks/SrcDirs/DstDirs line readers over arbitrary
// text; every directory specification found is also resolved.
#include <cstdint>
#include <string>
#include "installer/script/app_section.h"
#include "installer/script/script_tables.h"

namespace {
long Consume(const StrBuf& text) { return text.Length(); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    ScriptText script(text.data(), text.data() + text.size());

    ApplicationSettings settings;
    int includes = 0;
    AppSectionHooks hooks;
    hooks.expandDefaultDir = [](StrBuf& dir) { if (dir.Length() > 0 && dir[0] == '%') dir = StrBuf("C:\\x") + dir; };
    hooks.includeScript = [&](const StrBuf&) { ++includes; };
    ReadApplicationSection(script, settings, hooks, ".enu");
    long total = includes;
    for (const StrBuf& line : ApplicationSectionLines(settings, "Uninstall", ".enu")) total += Consume(line);

    DirectoryFacts facts;
    facts.bootRoot = "C:\\";
    facts.systemDirectory = "C:\\windows\\system32";
    facts.windowsDirectory = "C:\\windows";
    facts.expandMacro = [](StrBuf& path) { return path.Find('%', 1) > 0; };
    LineFunctionReader tables([&](const StrBuf& line) {
        DiskEntry disk = ReadDiskLine(line);
        DirEntry dir = ReadDirLine(line);
        total += disk.id + Consume(DiskLine(disk)) + Consume(DirLine(dir));
        total += Consume(ResolveDirSpec(dir.specification, settings.defaultDir, settings.appName, facts));
    });
    ParseSection(script, "Disks", 4, tables, ".enu");
    ParseSection(script, "SrcDirs", 5, tables, ".enu");
    ParseSection(script, "DstDirs", 6, tables, ".enu");
    return total == -1 ? 1 : 0;
}
