// Script loading, natively: the reading passes of one script's load through the text layer
// (the same section reader, "*include" follower and line parsers the installer uses), over
// generated scripts of growing size.
//   script_load_bench components N [REPEATS]   N components, each with keys, 2 files, 1 shortcut,
//                                              1 INI and 1 registry entry (6 sections each)
//   script_load_bench entries N [REPEATS]      10 components sharing N file, INI and registry entries
//   script_load_bench write components|entries N FILE   writes the script only (for the Wine run)
// Prints: series, size, script bytes, reading passes, entries, median wall and processor
// milliseconds of REPEATS loads.
// Peak memory of the whole process is measured from outside (/usr/bin/time); the memory the
// load itself holds (the section index and the tree, above the text) is printed as heap_kb,
// from the C library's count of the bytes it has handed out.
#include <malloc.h>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "installer/files/ini_entry.h"
#include "installer/record/shortcut_line.h"
#include "installer/registry/registry_entry_line.h"
#include "installer/script/component_keys.h"
#include "installer/script/file_entry_line.h"
#include "installer/script/script_reader.h"
#include "installer/script/script_tables.h"

namespace {

struct Shape {
    int components = 0;
    int filesPer = 0, iniPer = 0, registryPer = 0, linksPer = 0;
};

Shape ShapeFor(const std::string& series, int n) {
    Shape s;
    if (series == "components") {
        s.components = n;
        s.filesPer = 2;
        s.iniPer = s.registryPer = s.linksPer = 1;
    } else {
        s.components = 10;
        s.filesPer = s.iniPer = s.registryPer = std::max(1, n / 30);
        s.linksPer = 1;
    }
    return s;
}

std::string MakeScript(const Shape& s) {
    std::string t = "[App]\r\nProduceName=\"Bench\"\r\nDefDir=C:\\Bench\r\nSilentInstall=Y\r\n\r\n"
                    "[Disks]\r\n1=\"Bench\"\r\n\r\n[SrcDirs]\r\n1=Data\r\n\r\n[DstDirs]\r\n1=.\r\n\r\n[SetupApps]\r\n";
    char line[512];
    for (int c = 0; c < s.components; ++c) {
        snprintf(line, sizeof line, "Part %d=P%d,P%dKeys,P%dFiles,P%dLinks,P%dIni,,P%dReg\r\n", c, c, c, c, c, c, c);
        t += line;
    }
    for (int c = 0; c < s.components; ++c) {
        snprintf(line, sizeof line, "\r\n[P%dKeys]\r\nDefInstall=Y\r\nConInsll=Y\r\nSpaceNeeded=64\r\n\r\n[P%dFiles]\r\n", c, c);
        t += line;
        for (int i = 0; i < s.filesPer; ++i) {
            snprintf(line, sizeof line, "file %d of %d,1-1:F%d_%d.DL_,1:F%d_%d.DLL,N,Y,0\r\n", i, c, c, i, c, i);
            t += line;
        }
        snprintf(line, sizeof line, "\r\n[P%dLinks]\r\n", c);
        t += line;
        for (int i = 0; i < s.linksPer; ++i) {
            snprintf(line, sizeof line, "file %d of %d,Link %d of part %d,0\r\n", i, c, i, c);
            t += line;
        }
        snprintf(line, sizeof line, "\r\n[P%dIni]\r\n", c);
        t += line;
        for (int i = 0; i < s.iniPer; ++i) {
            snprintf(line, sizeof line, "BENCH.INI,Part%d,Key%d,1:F%d_%d.DLL,N,N,Y,N\r\n", c, i, c, i);
            t += line;
        }
        snprintf(line, sizeof line, "\r\n[P%dReg]\r\n", c);
        t += line;
        for (int i = 0; i < s.registryPer; ++i) {
            snprintf(line, sizeof line, "HKEY_CURRENT_USER,REG_SZ,Software\\Bench\\P%d,Value%d,0:text %d\r\n", c, i, i);
            t += line;
        }
    }
    t += "\r\n[End]\r\n";
    return t;
}

// What the tree keeps of a component: its header fields and parsed entries.
struct LoadedComponent {
    StrBuf name, record;
    StrBuf sections[8];
    ComponentKeys keys;
    std::vector<FileEntryLine> files;
    std::vector<ShortcutLine> links;
    std::vector<IniEntry> ini;
    std::vector<RegistryEntryLine> registry;
};

struct LoadedScript {
    std::vector<DiskEntry> disks;
    std::vector<DirEntry> sourceDirs, destDirs;
    std::vector<std::unique_ptr<LoadedComponent>> components;
    long passes = 0;
};

void ReadWith(const ScriptText& text, const char* name, int kind, bool languageVariants,
              const IncludeFollower::Context& context, std::function<void(const StrBuf&)> take) {
    LineFunctionReader inner(std::move(take));
    IncludeFollower reader(text, kind, inner, context);
    if (languageVariants)
        ParseSection(text, name, kind, reader, context.languageSuffix);
    else
        ReadSectionPass(text, name, kind, reader);
}

// The component's sections in the installer's reading order: keys, files, removal files,
// shortcuts, INI entries, spare files, both registry sections.
void LoadComponent(const ScriptText& text, LoadedComponent& c, const IncludeFollower::Context& context, long& passes) {
    const int order[][2] = {{0, 2}, {1, 8}, {7, 14}, {2, 9}, {3, 10}, {4, 11}, {5, 12}, {6, 13}};
    for (const auto& section : order) {
        if (c.sections[section[0]].IsEmpty()) continue;
        int kind = section[1];
        ++passes;
        ReadWith(text, c.sections[section[0]], kind, false, context, [&](const StrBuf& line) {
            if (kind == 2) {
                ReadComponentKeyLine(c.keys, line);
                return;
            }
            StrBuf value(line);
            StrBuf entry = CutKey(value);
            switch (kind) {
            case 8: case 11: case 14: c.files.push_back(ParseFileEntryLine(entry)); break;
            case 9: c.links.push_back(ParseShortcutLine(entry)); break;
            case 10: c.ini.push_back(ReadIniEntry(entry)); break;
            default: c.registry.push_back(ParseRegistryEntryLine(entry)); break;
            }
        });
    }
}

void Load(const ScriptText& text, LoadedScript& script) {
    IncludeFollower::Context context;
    context.sourceDir = "C:\\Kit";
    context.languageSuffix = ".deu";   // a language with variants: ParseSection's longest path
    ReadWith(text, "Disks", 4, true, context, [&](const StrBuf& l) { script.disks.push_back(ReadDiskLine(l)); });
    ReadWith(text, "DstDirs", 6, true, context, [&](const StrBuf& l) { script.destDirs.push_back(ReadDirLine(l)); });
    ReadWith(text, "SrcDirs", 5, true, context, [&](const StrBuf& l) { script.sourceDirs.push_back(ReadDirLine(l)); });
    script.passes += 4 * 3;
    IncludeFollower::Context componentContext = context;
    componentContext.plainSectionInFiles = true;
    ReadWith(text, "SetupApps", 3, true, context, [&](const StrBuf& line) {
        auto c = std::make_unique<LoadedComponent>();
        StrBuf value(line);
        c->name = CutKey(value);
        c->record = "App" + NextField(value, ',', true);
        for (StrBuf& section : c->sections) section = NextField(value, ',', true);
        LoadComponent(text, *c, componentContext, script.passes);
        script.components.push_back(std::move(c));
    });
}

long EntriesOf(const LoadedScript& s) {
    long n = 0;
    for (const auto& c : s.components) n += c->files.size() + c->links.size() + c->ini.size() + c->registry.size();
    return n;
}

// Bytes the C library has handed out and not had back (its arena and its own mappings).
size_t HeapInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && strcmp(argv[1], "write") == 0) {
        std::string text = MakeScript(ShapeFor(argv[2], atoi(argv[3])));
        FILE* out = fopen(argv[4], "wb");
        if (!out || fwrite(text.data(), 1, text.size(), out) != text.size()) return 1;
        return fclose(out) == 0 ? 0 : 1;
    }
    if (argc < 3 || (strcmp(argv[1], "components") != 0 && strcmp(argv[1], "entries") != 0)) {
        fprintf(stderr, "usage: script_load_bench components|entries N [REPEATS]\n");
        return 2;
    }
    int n = atoi(argv[2]);
    int repeats = argc > 3 ? atoi(argv[3]) : 3;
    if (n < 1 || n > 1000000 || repeats < 1 || repeats > 100) return 2;
    std::string text = MakeScript(ShapeFor(argv[1], n));
    text.shrink_to_fit();
    size_t heapBefore = HeapInUse();
    ScriptText script(text.data(), text.data() + text.size());
    std::vector<double> ms, cpuMs;   // wall and processor time: the machine is shared
    long passes = 0, entries = 0, components = 0;
    size_t heapHeld = 0;
    for (int r = 0; r < repeats; ++r) {
        auto start = std::chrono::steady_clock::now();
        std::clock_t cpuStart = std::clock();
        {
            LoadedScript loaded;
            Load(script, loaded);
            passes = loaded.passes;
            entries = EntriesOf(loaded);
            components = static_cast<long>(loaded.components.size());
            size_t now = HeapInUse();
            heapHeld = std::max(heapHeld, now > heapBefore ? now - heapBefore : 0);
        }
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        cpuMs.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        if (ms.back() > 30000) break;   // one load that long is enough to show the growth
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpuMs.begin(), cpuMs.end());
    printf("%s %d bytes=%zu components=%ld passes=%ld entries=%ld loads=%zu median_ms=%.2f median_cpu_ms=%.2f "
           "heap_kb=%zu\n",
           argv[1], n, text.size(), components, passes, entries, ms.size(), ms[ms.size() / 2], cpuMs[cpuMs.size() / 2],
           heapHeld / 1024);
    return 0;
}
