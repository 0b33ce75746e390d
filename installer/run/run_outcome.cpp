#include "installer/run/run_outcome.h"

RunOutcome InstallRunOutcome(int status, bool restartWanted) {
    RunOutcome outcome;
    switch (status) {
    case InstallDone:
        if (restartWanted)
            outcome.askRestart = true;
        else
            outcome.message = IDS_INSTALL_DONE;
        break;
    case InstallShortcutsFailed: outcome.message = IDS_INSTALL_DONE_NO_GROUP; break;
    case InstallFilesFailed:
    case 2:
    case InstallRegistryFailed:
    case InstallIniFailed:
    case InstallDirectoriesFailed: outcome.message = IDS_INSTALL_FAILED; break;
    default: break;
    }
    return outcome;
}

RunOutcome RemovalRunOutcome(int status, bool restartWanted) {
    RunOutcome outcome;
    switch (status) {
    case RemovalDone:
        if (restartWanted)
            outcome.askRestart = true;
        else
            outcome.message = IDS_REMOVE_DONE;
        break;
    case RemovalFilesFailed: outcome.message = IDS_REMOVE_FAILED; break;
    case RemovalDirectoriesLeft:
        outcome.message = IDS_REMOVE_DIRS_KEPT;
        outcome.askRestart = restartWanted;
        break;
    default: break;
    }
    return outcome;
}
