#pragma once
// Dialog templates, their controls and the bitmaps of the installer's dialogs and wizard pages.
#include "resource_ids.h"   // the templates, the side picture and the string ids

// The dialog procedures' names for the controls and pictures of those templates.
#define IDB_STATE_OFF           IDB_STATE_UNSELECTED
#define IDB_STATE_ON            IDB_STATE_SELECTED
#define IDB_STATE_SPARE         IDB_STATE_GREYED
#define IDI_PAGE_ICON           IDI_PAGE

// Classic dialogs
#define IDC_OPTION_ROW0         1000
#define IDC_OPTION_FRAME        1004
#define IDC_OPTION_LABEL        1009
#define IDC_OPTION_SCROLL       1005
#define IDC_OPTION_SEPARATOR    1007
#define IDC_PROGRESS_METER      100
#define IDC_PROGRESS_STEP       103
#define IDC_PROGRESS_FILE       104
#define IDC_DISK_PATH           105
#define IDC_INSTALL_NEW         6
#define IDC_KEEP_EXISTING       7
#define IDC_ABORT_SETUP         3
#define IDC_IN_USE_ABORT        3
#define IDC_IN_USE_RETRY        4
#define IDC_IN_USE_SKIP         5

// Wizard pages
#define IDC_PAGE_HEADING        710
#define IDC_PAGE_RESULT         711
#define IDC_COMPONENT_LIST      1012
#define IDC_SUMMARY_EDIT        301
