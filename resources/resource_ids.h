#pragma once
// String-table ids of the installer, shared by the code and the resource script.
#define IDS_CANNOT_INITIALIZE      1
#define IDS_FILE_NOT_FOUND         3
#define IDS_LOW_DISK_SPACE         4
#define IDS_INSTALL_FAILED         5
#define IDS_INSTALL_DONE           6
#define IDS_INSTALL_DONE_NO_GROUP  7
#define IDS_CANNOT_CREATE_FOLDER   8
#define IDS_CONFIRM_CANCEL         9
#define IDS_ERR_OUTOFSPACE         12
#define IDS_ERR_CANNOTCREATE       15
#define IDS_ERR_CANNOTDELETE       16
#define IDS_ERR_CANNOTRENAME       17
#define IDS_ERR_OUTOFMEMORY        18
#define IDS_ERR_CANNOTREADDST      20
#define IDS_ERR_WRITEPROT          21
#define IDS_CONFLICT_MISMATCH      22
#define IDS_CONFLICT_SRCOLD        23
#define IDS_CONFLICT_DIFFLANG      24
#define IDS_CONFLICT_DIFFCODEPG    25
#define IDS_CONFLICT_DIFFTYPE      26
#define IDS_INSTALL_REBOOT         27
#define IDS_SETUP                  29
#define IDS_UNINSTALL_TITLE        30
#define IDS_COPY_FILE              31
#define IDS_REMOVE_FAILED          32
#define IDS_REMOVE_FAILED_RECORD   33
#define IDS_REMOVE_DIRS_KEPT       34
#define IDS_REMOVE_INCOMPLETE      35
#define IDS_REMOVE_DONE            36
#define IDS_DELETE_FILES           37
#define IDS_REMOVE_REBOOT          38
#define IDS_CONFIRM_CANCEL_REMOVE  39
#define IDS_COMPANY                40
#define IDS_CREATE_PATH            41
#define IDS_UNINSTALL              42
#define IDS_CM_LOCATE_FAILED       43
#define IDS_CM_REENUMERATE_FAILED  44

// Pictures of the background window.
#define IDI_PROGRAM                10
#define IDB_LOGO                   102
#define IDB_LOGO_MASK              135

// Pictures of the wizard pages and the component lists.
#define IDB_SIDE_PICTURE           120
#define IDB_STATE_UNSELECTED       132
#define IDB_STATE_SELECTED         133
#define IDB_STATE_GREYED           134
#define IDI_PAGE                   10000

// Dialog templates: the classic dialogs, the callback dialogs and the wizard pages.
#define IDD_INSTALL_OPTIONS        2
#define IDD_DISK_REQUEST           3
#define IDD_PROGRESS               4
#define IDD_FILE_IN_USE            6
#define IDD_VERSION_CONFLICT       7
#define IDD_UNINSTALL_OPTIONS      8
#define IDD_WELCOME                13100
#define IDD_COMPONENTS             13200
#define IDD_PROGRAM_FOLDER         13300
#define IDD_SUMMARY                13400
#define IDD_FINISH                 13500
#define IDD_REMOVE_ITEMS           14000
#define IDD_REMOVE_FINISH          32273
#define IDD_REMOVE_WELCOME         32274

// Controls. The callback dialogs answer with their buttons' ids (IDABORT 3, IDRETRY 4,
// IDIGNORE 5, IDYES 6, IDNO 7).
#ifndef IDC_STATIC
#define IDC_STATIC                 (-1)
#endif
#define IDC_METER                  100
#define IDC_CONFLICT_REASON        100
#define IDC_IN_USE_PATH            100
#define IDC_FOLDER_EDIT            101
#define IDC_EXISTING_LIST          101
#define IDC_NEW_LIST               102
#define IDC_DISK_NAME              102
#define IDC_STEP_TITLE             103
#define IDC_CURRENT_FILE           104
#define IDC_SOURCE_EDIT            105
#define IDC_BROWSE                 196
#define IDC_GROUP_EDIT             301
#define IDC_SUMMARY_TEXT           301
#define IDC_GROUP_LIST             401
#define IDC_RESTART_NOW            502
#define IDC_RESTART_LATER          503
#define IDC_SUMMARY_LABEL          701
#define IDC_HEADING                710
#define IDC_RESULT_TEXT            711
#define IDC_WELCOME_NEXT           712
#define IDC_SPACE_REQUIRED         716
#define IDC_SPACE_AVAILABLE        717
#define IDC_WELCOME_ADVICE         723
#define IDC_COMPONENT_ROW1         1000
#define IDC_COMPONENT_ROW2         1001
#define IDC_COMPONENT_ROW3         1002
#define IDC_COMPONENT_ROW4         1003
#define IDC_COMPONENT_FRAME        1004
#define IDC_COMPONENT_LABEL        1009
#define IDC_COMPONENT_SCROLL       1005
#define IDC_COMPONENT_LINE         1007
#define IDC_KEEP_FILES             1008
#define IDC_PAGE_ICON              1002
#define IDC_ITEM_LIST              1012
#define IDC_SIDE_PICTURE           1020
