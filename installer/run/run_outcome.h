#pragma once
// The status codes of the install and removal runs, and what the user is told at the end
// of each. Pure decisions: the sequences show what these return.
#include "resources/resource_ids.h"

enum InstallStatus {
    InstallDone = 0,
    InstallFilesFailed = 1,
    InstallRegistryFailed = 3,
    InstallIniFailed = 4,
    InstallShortcutsFailed = 5,
    InstallDirectoriesFailed = 6,
};

enum RemovalStatus {
    RemovalDone = 0,
    RemovalFilesFailed = 0x101,
    RemovalRegistryFailed = 0x103,
    RemovalIniFailed = 0x104,
    RemovalShortcutsFailed = 0x105,
    RemovalDirectoriesLeft = 0x106,
};

// An information message to show first (0: none), then whether to ask the restart question.
struct RunOutcome {
    int message = 0;
    bool askRestart = false;
};

RunOutcome InstallRunOutcome(int status, bool restartWanted);
RunOutcome RemovalRunOutcome(int status, bool restartWanted);

// The boxes of both runs: information (OK, information icon, task-modal) and the restart
// question (OK and Cancel, question icon, task-modal).
const unsigned kInfoMessageStyle = 0x2040;
const unsigned kRestartQuestionStyle = 0x2021;

// The restart questions of the two runs.
const int kInstallRestartQuestion = IDS_INSTALL_REBOOT;
const int kRemovalRestartQuestion = IDS_REMOVE_REBOOT;
