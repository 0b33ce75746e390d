#pragma once
// The decisions of the installer's dialogs and wizard pages that need no window:
// layout arithmetic, the device-type rule, button rules, finish texts and summaries.
#include <cstdint>
#include <vector>
#include "installer/core/strbuf.h"

const int kOptionRows = 4;   // check-box rows of the classic options dialog

// How the classic options dialog fits n components.
struct OptionsLayout {
    bool hideComponentArea = false;   // n = 0: the dialog ends at the top of the frame
    int visibleRows = 0;
    bool hideFrame = false;           // n = 1
    bool disableSingleBox = false;    // n = 1
    int shrinkBy = 0;                 // pixels taken off the dialog and the frame (1 to 3 rows)
    int scrollMax = 0;                // 0: no scrolling, scroll bar and separator hidden
};
// rowPitch: the distance between the tops of two neighbouring rows.
OptionsLayout LayoutForComponents(int count, int rowPitch);

// Scroll codes as the window system numbers them.
enum ScrollCode { ScrollLineUp = 0, ScrollLineDown = 1, ScrollPageUp = 2, ScrollPageDown = 3,
                  ScrollThumbPosition = 4, ScrollThumbTrack = 5 };
// The position a scroll request asks for, clamped to 0..maximum; -1 for codes that move nothing.
int ScrollRequest(int code, int position, int thumb, int maximum);

struct ComponentChoice {
    bool enabled = false;
    int deviceType = 0;
};
// After component clicked has been enabled: the first other enabled component whose device
// type is a different tablet kind (1 or 2), which must give way; -1 when none.
int DeviceTypeConflict(const std::vector<ComponentChoice>& components, int clicked);
bool AnyEnabled(const std::vector<ComponentChoice>& components);

// Wizard buttons as the property sheet numbers them.
enum WizardButtonBits { WizardBack = 1, WizardNext = 2, WizardFinish = 4 };
// The component pages: Back alone when nothing is selected or, when space counts, the need
// reaches what is free; Back and Next otherwise.
int ComponentPageButtons(bool spaceCounts, int64_t requiredK, int64_t availableK, bool anySelected);
// Kilobytes needed by the selected components.
int64_t RequiredKilobytes(const std::vector<int>& spaceNeeded, const std::vector<bool>& selected);
// The first three characters of a folder (its drive root); empty for an empty folder.
StrBuf DriveRootOf(const char* folder);

// Leaving the component page: a folder that is the installation folder or exists already
// is taken as it is; any other must be created, after the user agrees.
bool FolderNeedsCreating(const char* chosen, const char* installDir, bool exists);

// What the finish page says for a run's status.
struct FinishTexts {
    unsigned first = 0;            // string id
    unsigned second = 0;           // appended after a line feed; 0 for none
    bool withInstallDir = false;   // the first string is formatted with the installation folder
    bool offerRestart = false;     // the restart choice (502, 503) is shown
};
FinishTexts InstallFinishTexts(int status, bool restartNeeded);
FinishTexts RemoveFinishTexts(int status, bool restartNeeded);

// The summary pages' text, lines joined with CR LF.
StrBuf InstallSummaryText(const std::vector<StrBuf>& names, const char* folder, const char* group);
StrBuf RemoveSummaryText(const std::vector<StrBuf>& names);

// Left (or top) edge that centres a window of the given size on a reference span;
// the halving truncates toward zero, as a signed division does.
int CentredOrigin(int referenceStart, int referenceSize, int windowSize);
