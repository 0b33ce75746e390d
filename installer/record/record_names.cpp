#include "installer/record/record_names.h"

const char kOwnCopyKey[] = "Uninstaller";

StrBuf RecordKeyOf(const char* productName) { return StrBuf("SetupExt\\") + productName; }

StrBuf UninstallLinkArguments(const char* productName) { return StrBuf(" /@") + RecordKeyOf(productName); }

StrBuf SlotName(int index) {
    StrBuf name("INFNAME");
    if (index > 0) {
        StrBuf number;
        number.Format("%02d", index);
        name += number;
    }
    return name;
}
