// The kit checker over a generated medium, natively: N components, each with keys, two files
// (one stored compressed), a shortcut, an INI and a registry entry, every source file on the
// medium, and the script under an x86 and an x64 name.
//   kit_check_bench N [REPEATS] [FOLDER]   (FOLDER default: a folder below the temporary one)
// Prints: components, script bytes, findings, median wall and processor milliseconds of REPEATS checks.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "kit/checker/findings.h"
#include "kit/checker/kit_check.h"

namespace fs = std::filesystem;

namespace {
void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// An LZ header announcing a length, then a few coded bytes: enough for the checker's look.
std::string Compressed(size_t length) {
    std::string bytes("SZDD\x88\xf0\x27\x33\x41\x45", 10);
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((length >> (8 * i)) & 0xFF);
    return bytes + "\xff" "abcdefgh";
}

std::string MakeMedium(const fs::path& folder, int components) {
    fs::remove_all(folder);
    fs::create_directories(folder / "Driver" / "bin");
    std::string t = "[App]\r\nProduceName=\"Bench\"\r\nDefDir=%Program Files%\\Bench\r\nDefPMGroup=\"Bench\",1\r\n\r\n"
                    "[Disks]\r\n1=\"Bench\"\r\n\r\n[SrcDirs]\r\n1=bin\r\n2=.\r\n\r\n[DstDirs]\r\n1=.\r\n2=Data\r\n\r\n"
                    "[SetupApps]\r\nCore=Core,CoreKeys,CoreFiles\r\n";
    char line[512];
    for (int c = 0; c < components; ++c) {
        snprintf(line, sizeof line, "Part %d=P%d,P%dKeys,P%dFiles,P%dLinks,P%dIni,,P%dReg\r\n", c, c, c, c, c, c, c);
        t += line;
    }
    t += "\r\n[CoreKeys]\r\nSpaceNeeded=1\r\n\r\n[CoreFiles]\r\nInstaller,1-2:Instally.exe,1:Instally.exe,N,N,0\r\n";
    for (int c = 0; c < components; ++c) {
        snprintf(line, sizeof line,
                 "\r\n[P%dKeys]\r\nDefInstall=Y\r\nConInsll=Y\r\nSpaceNeeded=4\r\nIExeAfter=P%d.EXE,N,Y\r\n\r\n[P%dFiles]\r\n"
                 "Program %d,1-1:P%d.EXE,1:P%d.EXE,N,Y,0\r\nData %d,1-1:P%d.DA_,2:P%d.DAT,N,Y,0\r\n",
                 c, c, c, c, c, c, c, c, c);
        t += line;
        snprintf(line, sizeof line,
                 "\r\n[P%dLinks]\r\nP%d.EXE,Part %d,0\r\n\r\n[P%dIni]\r\nBENCH.INI,Parts,P%d,1:P%d.EXE,N,N,Y,N\r\n\r\n"
                 "[P%dReg]\r\n_HLMSW_,REG_SZ,Bench\\P%d,Path,1:P%d.EXE\r\n",
                 c, c, c, c, c, c, c, c, c);
        t += line;
        snprintf(line, sizeof line, "P%d.EXE", c);
        Write(folder / "Driver" / "bin" / line, "MZ program");
        snprintf(line, sizeof line, "P%d.DA_", c);
        Write(folder / "Driver" / "bin" / line, Compressed(1500));
    }
    t += "\r\n[End]\r\n";
    Write(folder / "Driver" / "SetupExt.WNT", t);
    Write(folder / "Driver" / "SetupX64.INF", t);
    Write(folder / "Driver" / "Instally.exe", "MZ installer");
    return t;
}
}  // namespace

int main(int argc, char** argv) {
    int components = argc > 1 ? atoi(argv[1]) : 10000;
    int repeats = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    fs::path folder = argc > 3 ? fs::path(argv[3]) : fs::temp_directory_path() / "kit_check_bench";
    std::string script = MakeMedium(folder, components);
    std::vector<double> ms, cpu;
    size_t found = 0;
    for (int i = 0; i < repeats; ++i) {
        auto start = std::chrono::steady_clock::now();
        std::clock_t cpuStart = std::clock();
        Findings findings;
        CheckMedium(folder.string(), findings);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        cpu.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        found = findings.Count();
        if (i == 0 && found) fputs(TextReport(findings).substr(0, 2000).c_str(), stderr);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    printf("kit check: %d components, %zu script bytes (twice), %zu findings, median %.0f ms wall, %.0f ms processor, of %d\n",
           components, script.size(), found, ms[ms.size() / 2], cpu[cpu.size() / 2], repeats);
    fs::remove_all(folder);
    return 0;
}
