#include "installer/ui/dialog_rules.h"
#include "resources/resource_ids.h"

OptionsLayout LayoutForComponents(int count, int rowPitch) {
    OptionsLayout layout;
    if (count <= 0) {
        layout.hideComponentArea = true;
        return layout;
    }
    layout.visibleRows = count < kOptionRows ? count : kOptionRows;
    layout.shrinkBy = (kOptionRows - layout.visibleRows) * rowPitch;
    layout.hideFrame = count == 1;
    layout.disableSingleBox = count == 1;
    layout.scrollMax = count > kOptionRows ? count - kOptionRows : 0;
    return layout;
}

int ScrollRequest(int code, int position, int thumb, int maximum) {
    int target;
    switch (code) {
    case ScrollLineUp:
    case ScrollPageUp: target = position - 1; break;
    case ScrollLineDown:
    case ScrollPageDown: target = position + 1; break;
    case ScrollThumbPosition:
    case ScrollThumbTrack: target = thumb; break;
    default: return -1;
    }
    if (target > maximum) target = maximum;
    if (target < 0) target = 0;
    return target;
}

static bool IsTabletKind(int deviceType) { return deviceType == 1 || deviceType == 2; }

int DeviceTypeConflict(const std::vector<ComponentChoice>& components, int clicked) {
    if (clicked < 0 || clicked >= static_cast<int>(components.size())) return -1;
    const ComponentChoice& chosen = components[clicked];
    if (!chosen.enabled || !IsTabletKind(chosen.deviceType)) return -1;
    for (int i = 0; i < static_cast<int>(components.size()); ++i) {
        const ComponentChoice& other = components[i];
        if (i != clicked && other.enabled && IsTabletKind(other.deviceType) && other.deviceType != chosen.deviceType)
            return i;
    }
    return -1;
}

bool AnyEnabled(const std::vector<ComponentChoice>& components) {
    for (const ComponentChoice& c : components)
        if (c.enabled) return true;
    return false;
}

int ComponentPageButtons(bool spaceCounts, int64_t requiredK, int64_t availableK, bool anySelected) {
    if ((spaceCounts && requiredK >= availableK) || !anySelected) return WizardBack;
    return WizardBack | WizardNext;
}

int64_t RequiredKilobytes(const std::vector<int>& spaceNeeded, const std::vector<bool>& selected) {
    int64_t total = 0;
    for (size_t i = 0; i < spaceNeeded.size() && i < selected.size(); ++i)
        if (selected[i]) total += spaceNeeded[i];
    return total;
}

StrBuf DriveRootOf(const char* folder) {
    return StrBuf(folder).Left(3);
}

bool FolderNeedsCreating(const char* chosen, const char* installDir, bool exists) {
    if (CompareNoCase(chosen ? chosen : "", installDir ? installDir : "") == 0) return false;
    return !exists;
}

FinishTexts InstallFinishTexts(int status, bool restartNeeded) {
    FinishTexts texts;
    switch (status) {
    case 0:
        texts.first = IDS_INSTALL_DONE;
        if (restartNeeded) {
            texts.second = IDS_INSTALL_REBOOT;
            texts.offerRestart = true;
        }
        break;
    case 5: texts.first = IDS_INSTALL_DONE_NO_GROUP; break;
    case 6:
        texts.first = IDS_CANNOT_CREATE_FOLDER;
        texts.withInstallDir = true;
        break;
    default: texts.first = IDS_INSTALL_FAILED; break;
    }
    return texts;
}

// The removal's own texts, as the classic removal reports them: a restart replaces the
// success text with the restart question.
FinishTexts RemoveFinishTexts(int status, bool restartNeeded) {
    FinishTexts texts;
    switch (status) {
    case 0:
        texts.first = restartNeeded ? IDS_REMOVE_REBOOT : IDS_REMOVE_DONE;
        texts.offerRestart = restartNeeded;
        break;
    case 0x101: texts.first = IDS_REMOVE_FAILED; break;
    case 0x106:
        texts.first = IDS_REMOVE_DIRS_KEPT;
        if (restartNeeded) {
            texts.second = IDS_REMOVE_REBOOT;
            texts.offerRestart = true;
        }
        break;
    default: texts.first = IDS_REMOVE_INCOMPLETE; break;
    }
    return texts;
}

static void AppendItems(StrBuf& text, const std::vector<StrBuf>& names) {
    for (const StrBuf& name : names) {
        text += "\r\n    ";
        text += name;
    }
    text += "\r\n\r\n";
}

StrBuf InstallSummaryText(const std::vector<StrBuf>& names, const char* folder, const char* group) {
    StrBuf text("Install Item :");
    AppendItems(text, names);
    text += "Install Location :\r\n    ";
    text += folder;
    text += "\r\n\r\nStart Menu :\r\n    ";
    text += group;
    text += "\r\n\r\n";
    return text;
}

StrBuf RemoveSummaryText(const std::vector<StrBuf>& names) {
    StrBuf text("Remove Item :");
    AppendItems(text, names);
    return text;
}

int CentredOrigin(int referenceStart, int referenceSize, int windowSize) {
    return referenceStart + (referenceSize - windowSize) / 2;
}
