#pragma once
// The build of a distribution medium from a kit folder: the kit's files copied, the compressed
// form of every source the scripts name compressed written from its plain file, the installer
// beside the scripts, the launcher and "autorun.inf" at the root; checked before it is kept,
// and written as a CD image on request.
#include <string>
#include <vector>
#include "kit/checker/findings.h"

struct BuildRequest {
    std::string kit;
    std::string out;
    std::string programs;                      // the folder of the built Instally.exe and setup.exe
    std::string iso;                           // "" no image
    std::string label;                         // "" from the kit's autorun.inf, else the kit folder's name
    std::vector<std::string> storeCompressed;  // medium paths kept compressed under their own names
};
// "KIT_FOLDER OUT [--programs DIR] [--iso FILE] [--label TEXT] [--store-compressed PATH]...";
// programs defaults to defaultPrograms.
bool ReadBuildRequest(const std::vector<std::string>& args, const std::string& defaultPrograms,
                      BuildRequest& request, std::string& error);

// Exit codes of a build.
enum BuildOutcome { BuildDone = 0, BuildWarnings = 1, BuildCheckErrors = 2, BuildFailed = 3 };

struct BuildResult {
    BuildOutcome outcome = BuildDone;
    std::string error;                         // why the build failed (BuildFailed)
    Findings findings;                         // the check of the built medium
    std::vector<std::string> compressed;       // medium paths written compressed
    std::vector<std::string> added;            // programs and files the kit did not have
    std::vector<std::string> dropped;          // plain files left off: only their compressed form is read
    std::string label;
};
// OUT must not exist yet, or be empty; nothing is left at OUT when the check finds errors.
BuildResult BuildMedium(const BuildRequest& request);

// "[autorun]" opening the launcher, with the disc's label, CR LF.
std::string AutorunText(const std::string& label);
// The "label=" of an autorun.inf; "" when it has none.
std::string AutorunLabel(const std::string& bytes);
// An ISO 9660 volume identifier: upper case, letters, digits and "_" only, at most 32.
std::string VolumeId(const std::string& label);
// The command line of an image tool ("xorriso" or "genisoimage") for a folder, with Joliet names.
std::vector<std::string> IsoCommand(const std::string& tool, const std::string& folder, const std::string& iso,
                                    const std::string& volume);
// The report of a build: what it added and compressed, then the check's findings.
std::string BuildReport(const BuildResult& result, const BuildRequest& request);
