#pragma once
// The decisions of file installation that need no machine: what a reply means, which
// outcome a service result leads to, and what the standard callback answers or asks.
#include "installer/files/progress_events.h"

enum InstallOutcome { OutcomeInstalled = 0, OutcomeAbort = 1, OutcomeSkipped = 2, OutcomeSourceUnreadable = 3, OutcomeInUse = 4 };

// A reply to a conflict or error question: 4/6 force, 5/7 skip, anything else abort.
enum class QuestionAnswer { Force, Skip, Abort };
QuestionAnswer AnswerFromReply(int reply);

// What one service result asks of the installer before any question.
enum class ResultStep { Done, SourceUnreadable, InUse, AskConflict, AskError };
// Conflicts are asked first; on 64-bit Windows (architecture 6 or 9) every other complaint
// goes to replacement at restart; bits outside both groups alone count as installed.
ResultStep StepForResult(unsigned result, int nativeArchitecture);

// What the standard callback does: answer at once, or show a message whose button is the reply.
struct CallbackDecision {
    bool ask = false;
    int reply = 0;            // when not asking
    unsigned messageId = 0;   // when asking
};
CallbackDecision DecideInstallError(unsigned bits, bool silent);
CallbackDecision DecideVersionConflict(unsigned bits, bool silent);
CallbackDecision DecideNeedSource(bool silent);

// The string of the highest-ranked bit present; 0 when none of the ranked bits is.
unsigned InstallErrorMessageId(unsigned bits);
unsigned ConflictMessageId(unsigned bits);
const unsigned kInstallErrorStyle = 0x22;   // Abort, Retry, Ignore with a question icon

// The standard callback's reply to a file-installation question (EV_INSTALL_ERROR,
// EV_VERSION_CONFLICT, EV_NEED_SOURCE): answered here when the rules say so, otherwise
// ask(messageId) shows the question and its button is the reply. Other events: 0.
using AskUserFn = int (*)(unsigned event, unsigned messageId, void* askContext);
int StandardFileReply(unsigned event, unsigned bits, bool silent, AskUserFn ask, void* askContext);
