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

// Pictures of the background window.
#define IDI_PROGRAM                10
#define IDB_LOGO                   102
#define IDB_LOGO_MASK              135
