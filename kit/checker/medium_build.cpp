#include "kit/checker/medium_build.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include "installer/files/lz_compressor.h"
#include "installer/files/lz_header.h"
#include "kit/checker/kit_check.h"
#include "kit/checker/medium.h"
#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace fs = std::filesystem;

namespace {
bool ReadBytes(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

std::string Compressed(const std::string& bytes, char missingLetter) {
    std::vector<unsigned char> packed =
        LzCompress(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), missingLetter);
    return std::string(packed.begin(), packed.end());
}

std::string LastPart(const std::string& mediumPath) {
    size_t cut = mediumPath.find_last_of("/\\");
    return cut == std::string::npos ? mediumPath : mediumPath.substr(cut + 1);
}

std::string FolderPart(const std::string& mediumPath) {
    size_t cut = mediumPath.find_last_of("/\\");
    return cut == std::string::npos ? "" : mediumPath.substr(0, cut);
}

fs::path HostPath(const std::string& root, const std::string& spelt) { return fs::path(root) / fs::path(spelt); }

class Builder {
public:
    Builder(const BuildRequest& request, BuildResult& result) : request_(request), result_(result) {}

    void Run() {
        staging_ = request_.out + ".partial";
        if (!Prepare() || !CopyKit() || !AddPrograms() || !StoreCompressed() || !CompressSources()) return Abandon();
        result_.findings = Findings();
        CheckMedium(staging_, result_.findings);
        if (result_.findings.ExitCode() == 2) {
            result_.outcome = BuildCheckErrors;
            fs::remove_all(staging_, ignored_);
            return;
        }
        fs::remove(request_.out, ignored_);   // empty, or not there
        fs::rename(staging_, request_.out, ignored_);
        if (ignored_) {
            Fail("cannot move the medium to " + request_.out + ": " + ignored_.message());
            return Abandon();
        }
        result_.outcome = result_.findings.ExitCode() == 1 ? BuildWarnings : BuildDone;
    }

private:
    bool Prepare() {
        if (!fs::is_directory(request_.kit)) return Fail(request_.kit + " is no folder");
        if (fs::exists(request_.out) && !(fs::is_directory(request_.out) && fs::is_empty(request_.out)))
            return Fail(request_.out + " exists and is not empty: the medium is built into a new folder");
        fs::remove_all(staging_, ignored_);
        return true;
    }

    bool CopyKit() {
        std::error_code error;
        fs::copy(request_.kit, staging_, fs::copy_options::recursive, error);
        return !error || Fail("cannot copy the kit to " + staging_ + ": " + error.message());
    }

    // The installer beside every folder of scripts; the launcher and autorun.inf at the root
    // when the kit has a launcher menu.
    bool AddPrograms() {
        Medium medium(staging_);
        result_.label = LabelOf(medium);
        for (const std::string& folder : ScriptFolders(medium))
            if (medium.Find(folder.empty() ? "Instally.exe" : folder + "/Instally.exe").empty() &&
                !AddProgram("Instally.exe", folder.empty() ? "Instally.exe" : medium.Find(folder) + "/Instally.exe"))
                return false;
        if (medium.Find("setup.inf").empty()) return true;
        if (medium.Find("setup.exe").empty() && !AddProgram("setup.exe", "setup.exe")) return false;
        std::string spelt = medium.Find("autorun.inf");
        if (!spelt.empty()) return true;
        result_.added.push_back("autorun.inf");
        return WriteBytes(HostPath(staging_, "autorun.inf"), AutorunText(result_.label)) || Fail("cannot write autorun.inf");
    }

    std::string LabelOf(const Medium& medium) const {
        if (!request_.label.empty()) return request_.label;
        std::string autorun;
        std::string spelt = medium.Find("autorun.inf");
        if (!spelt.empty() && medium.Read(spelt, autorun) && !AutorunLabel(autorun).empty()) return AutorunLabel(autorun);
        fs::path kit = fs::path(request_.kit).lexically_normal();
        return kit.has_filename() ? kit.filename().string() : kit.parent_path().filename().string();
    }

    bool AddProgram(const std::string& name, const std::string& spelt) {
        fs::path from = fs::path(request_.programs) / name;
        std::error_code error;
        fs::copy_file(from, HostPath(staging_, spelt), error);
        if (error) return Fail("cannot add " + name + " from " + from.string() + ": " + error.message());
        result_.added.push_back(spelt);
        return true;
    }

    bool StoreCompressed() {
        Medium medium(staging_);
        for (const std::string& path : request_.storeCompressed) {
            std::string spelt = medium.Find(path), bytes;
            if (spelt.empty() || !medium.IsFile(path)) return Fail(path + " is not a file of the kit");
            if (!ReadBytes(HostPath(staging_, spelt), bytes)) return Fail("cannot read " + spelt);
            // Compressed already: the installer would expand it once only.
            if (IsLzCompressedHeader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())) continue;
            if (!WriteBytes(HostPath(staging_, spelt), Compressed(bytes, 0))) return Fail("cannot compress " + spelt);
            result_.compressed.push_back(spelt);
        }
        return true;
    }

    // Each compressed source a script names and the kit has only in plain form is written from
    // it; a plain file no script names as it is then stays off the medium.
    bool CompressSources() {
        Findings first;
        CheckMedium(staging_, first);
        Medium medium(staging_);
        std::vector<std::string> plains;
        for (const auto& [compressed, plain] : first.Sources().uncompressedFor) {
            std::string plainSpelt = medium.Find(plain), bytes;
            std::string target = medium.Find(FolderPart(compressed));
            target = (target.empty() ? "" : target + "/") + LastPart(compressed);
            if (plainSpelt.empty() || !ReadBytes(HostPath(staging_, plainSpelt), bytes))
                return Fail("cannot read " + plain);
            if (!WriteBytes(HostPath(staging_, target), Compressed(bytes, plainSpelt.back())))
                return Fail("cannot write " + target);
            result_.compressed.push_back(target);
            plains.push_back(plainSpelt);
        }
        for (const std::string& plain : plains) {
            bool named = false;
            for (const std::string& found : first.Sources().found) named = named || medium.Find(found) == plain;
            if (named) continue;
            fs::remove(HostPath(staging_, plain), ignored_);
            result_.dropped.push_back(plain);
        }
        return true;
    }

    void Abandon() {
        fs::remove_all(staging_, ignored_);
        result_.outcome = BuildFailed;
    }

    bool Fail(const std::string& why) {
        if (result_.error.empty()) result_.error = why;
        return false;
    }

    const BuildRequest& request_;
    BuildResult& result_;
    std::string staging_;
    std::error_code ignored_;
};

bool RunTool(const std::vector<std::string>& command) {
#ifdef _WIN32
    (void)command;
    return false;
#else
    std::vector<char*> argv;
    for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    pid_t child;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}

bool ToolOnPath(const std::string& tool) {
#ifdef _WIN32
    (void)tool;
    return false;
#else
    const char* path = getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::error_code error;
        if (end > start && fs::is_regular_file(fs::path(folders.substr(start, end - start)) / tool, error)) return true;
        start = end + 1;
    }
    return false;
#endif
}

void WriteImage(const BuildRequest& request, BuildResult& result) {
    for (const char* tool : {"xorriso", "genisoimage"}) {
        if (!ToolOnPath(tool)) continue;
        if (RunTool(IsoCommand(tool, request.out, request.iso, VolumeId(result.label)))) return;
        result.error = std::string(tool) + " could not write " + request.iso;
        result.outcome = BuildFailed;
        return;
    }
    result.error = "no image tool: install xorriso or genisoimage to write " + request.iso;
    result.outcome = BuildFailed;
}
}  // namespace

bool ReadBuildRequest(const std::vector<std::string>& args, const std::string& defaultPrograms,
                      BuildRequest& request, std::string& error) {
    request.programs = defaultPrograms;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string* value = arg == "--programs" ? &request.programs
                           : arg == "--iso"      ? &request.iso
                           : arg == "--label"    ? &request.label
                                                 : nullptr;
        if (value || arg == "--store-compressed") {
            if (i + 1 == args.size()) {
                error = arg + " needs a value";
                return false;
            }
            if (value) *value = args[++i];
            else request.storeCompressed.push_back(args[++i]);
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            error = "unknown option " + arg;
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        error = "build needs a kit folder and an output folder";
        return false;
    }
    request.kit = positional[0];
    request.out = positional[1];
    while (request.out.size() > 1 && (request.out.back() == '/' || request.out.back() == '\\')) request.out.pop_back();
    return true;
}

BuildResult BuildMedium(const BuildRequest& request) {
    BuildResult result;
    Builder(request, result).Run();
    if (result.outcome <= BuildWarnings && !request.iso.empty()) WriteImage(request, result);
    return result;
}

std::string AutorunText(const std::string& label) {
    return "[autorun]\r\nopen=setup.exe\r\nlabel=" + label + "\r\n";
}

std::string AutorunLabel(const std::string& bytes) {
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        size_t lead = line.find_first_not_of(" \t");
        if (lead != std::string::npos && line.size() - lead > 6 && SameNameNoCase(line.substr(lead, 6), "label=")) return line.substr(lead + 6);
        start = end + 1;
    }
    return "";
}

std::string VolumeId(const std::string& label) {
    std::string id;
    for (char c : label) {
        if (id.size() == 32) break;
        unsigned char u = static_cast<unsigned char>(c);
        id += u < 128 && isalnum(u) ? static_cast<char>(toupper(u)) : '_';
    }
    return id.empty() ? "CDROM" : id;
}

std::vector<std::string> IsoCommand(const std::string& tool, const std::string& folder, const std::string& iso,
                                    const std::string& volume) {
    std::vector<std::string> command = {tool};
    if (tool == "xorriso") command.insert(command.end(), {"-as", "mkisofs"});
    command.insert(command.end(), {"-quiet", "-J", "-joliet-long", "-r", "-V", volume, "-o", iso, folder});
    return command;
}

std::string BuildReport(const BuildResult& result, const BuildRequest& request) {
    std::string text;
    if (result.outcome == BuildFailed) return "kitcheck build: " + result.error + "\n";
    for (const std::string& added : result.added) text += "added       " + added + "\n";
    for (const std::string& compressed : result.compressed) text += "compressed  " + compressed + "\n";
    for (const std::string& dropped : result.dropped) text += "left off    " + dropped + " (its compressed form is read)\n";
    text += TextReport(result.findings);
    if (result.outcome == BuildCheckErrors)
        text += "kitcheck build: the check found errors; no medium was written\n";
    else
        text += "medium in " + request.out + (request.iso.empty() ? "" : ", image " + request.iso) +
                (result.label.empty() ? "" : " (label " + result.label + ")") + "\n";
    return text;
}
