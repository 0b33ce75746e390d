#include "installer/run/outcome_message.h"

#include "installer/core/messages.h"

bool ShowRunOutcome(HWND owner, const RunOutcome& outcome, UINT question, const char* caption) {
    if (outcome.message) ShowMessage(owner, outcome.message, caption, kInfoMessageStyle);
    return outcome.askRestart && ShowMessage(owner, question, caption, kRestartQuestionStyle) == IDOK;
}
