#include "installer/files/install_decisions.h"

#include <cstddef>
#include "resources/resource_ids.h"

QuestionAnswer AnswerFromReply(int reply) {
    if (reply == ReplyRetry || reply == ReplyYes) return QuestionAnswer::Force;
    if (reply == ReplyIgnore || reply == ReplyNo) return QuestionAnswer::Skip;
    return QuestionAnswer::Abort;
}

ResultStep StepForResult(unsigned result, int nativeArchitecture) {
    if (result & VIF_CANNOTREADSRC_BIT) return ResultStep::SourceUnreadable;
    if (result & VIF_FILEINUSE_BIT) return ResultStep::InUse;
    if (result & kConflictGroup) return ResultStep::AskConflict;
    bool windows64 = nativeArchitecture == 9 || nativeArchitecture == 6;
    if (windows64 && result != 0) return ResultStep::InUse;
    return (result & kErrorGroup) ? ResultStep::AskError : ResultStep::Done;
}

namespace {
struct RankedMessage {
    unsigned bit;
    unsigned id;
};

const RankedMessage kErrorMessages[] = {
    {VIF_WRITEPROT_BIT, IDS_ERR_WRITEPROT},       {VIF_CANNOTREADDST_BIT, IDS_ERR_CANNOTREADDST},
    {VIF_OUTOFMEMORY_BIT, IDS_ERR_OUTOFMEMORY},   {VIF_OUTOFSPACE_BIT, IDS_ERR_OUTOFSPACE},
    {VIF_CANNOTRENAME_BIT, IDS_ERR_CANNOTRENAME}, {VIF_CANNOTDELETE_BIT, IDS_ERR_CANNOTDELETE},
    {VIF_CANNOTCREATE_BIT, IDS_ERR_CANNOTCREATE},
};
const RankedMessage kConflictMessages[] = {
    {VIF_DIFFTYPE_BIT, IDS_CONFLICT_DIFFTYPE}, {VIF_DIFFCODEPG_BIT, IDS_CONFLICT_DIFFCODEPG},
    {VIF_DIFFLANG_BIT, IDS_CONFLICT_DIFFLANG}, {VIF_SRCOLD_BIT, IDS_CONFLICT_SRCOLD},
    {VIF_MISMATCH_BIT, IDS_CONFLICT_MISMATCH},
};

template <size_t N>
unsigned FirstPresent(const RankedMessage (&table)[N], unsigned bits) {
    for (const RankedMessage& entry : table)
        if (bits & entry.bit) return entry.id;
    return 0;
}

CallbackDecision Reply(int reply) {
    CallbackDecision decision;
    decision.reply = reply;
    return decision;
}

CallbackDecision Ask(unsigned messageId) {
    CallbackDecision decision;
    decision.ask = true;
    decision.messageId = messageId;
    return decision;
}
}  // namespace

unsigned InstallErrorMessageId(unsigned bits) { return FirstPresent(kErrorMessages, bits); }
unsigned ConflictMessageId(unsigned bits) { return FirstPresent(kConflictMessages, bits); }

CallbackDecision DecideInstallError(unsigned bits, bool silent) {
    if (silent) return Reply(ReplyIgnore);
    // Someone else holds the file: asking would not help, the file is skipped.
    if (bits & (VIF_ACCESSVIOLATION_BIT | VIF_SHARINGVIOLATION_BIT)) return Reply(ReplyIgnore);
    unsigned id = InstallErrorMessageId(bits);
    return id ? Ask(id) : Reply(ReplyIgnore);
}

CallbackDecision DecideVersionConflict(unsigned bits, bool silent) {
    if (silent) return Reply(ReplyRetry);
    unsigned id = ConflictMessageId(bits);
    return id ? Ask(id) : Reply(ReplyRetry);
}

CallbackDecision DecideNeedSource(bool silent) {
    return silent ? Reply(ReplyCancel) : Ask(0);
}

int StandardFileReply(unsigned event, unsigned bits, bool silent, AskUserFn ask, void* askContext) {
    CallbackDecision decision;
    if (event == EV_INSTALL_ERROR)
        decision = DecideInstallError(bits, silent);
    else if (event == EV_VERSION_CONFLICT)
        decision = DecideVersionConflict(bits, silent);
    else if (event == EV_NEED_SOURCE)
        decision = DecideNeedSource(silent);
    else
        return 0;
    if (!decision.ask) return decision.reply;
    return ask ? ask(event, decision.messageId, askContext) : ReplyAbort;
}
