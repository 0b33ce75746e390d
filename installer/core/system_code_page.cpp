#include "installer/core/system_code_page.h"

#include <windows.h>
#include "installer/core/code_page.h"

void UseSystemLeadBytes() {
    bool isLead[256] = {};
    CPINFO info{};
    if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1) {
        LeadBytesFromRanges(info.LeadByte, MAX_LEADBYTES, isLead);
    } else {
        // Systems that cannot list the ranges still answer byte by byte.
        for (int b = 1; b < 256; ++b) isLead[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) != 0;
    }
    UseLeadBytes(isLead);
}
