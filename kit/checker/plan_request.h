#pragma once
// What "kitcheck plan" is asked: the medium and the system the silent install would run on,
// read from the command line. Pure: the arguments in, the request or the reason out.
#include <string>
#include <vector>
#include "kit/checker/fresh_machine.h"

// How the plan is written: for a person, as lines of the expected-results format that
// tools/kit_check reads, or as JSON.
enum class PlanForm { Readable, Expected, Json };

struct PlanRequest {
    std::string medium;
    FreshMachine machine;           // Windows 7, x64 unless asked otherwise
    std::string windowsName = "7";  // as given after --windows
    std::string languageSuffix = ".enu";   // an English system's, unless asked otherwise
    int deviceType = 0;             // "/NODRV /DEV:n": the tablet given, no search
    std::string installDir;         // "/DEFDIR:": "" keeps the script's DefDir
    PlanForm form = PlanForm::Readable;
};

// The Windows names the plan knows, with the installer's version code for each.
struct WindowsName {
    const char* name;
    int osVersionCode;
    const char* title;   // "Windows 98"
};
const std::vector<WindowsName>& WindowsNames();

// args: everything after "plan". False with the reason when they do not make a request.
bool ReadPlanRequest(const std::vector<std::string>& args, PlanRequest& request, std::string& error);
// "x64 Windows 7" for the request's system.
std::string SystemTitle(const PlanRequest& request);
