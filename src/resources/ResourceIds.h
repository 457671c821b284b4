#pragma once
// Identifiers of the program's resources, shared by the resource script and the code.

#define IDI_SAVER 100
#define IDD_FILE_INFO 101
#define IDB_ABOUT_PICTURE 102
#define IDB_CLICK_MARKS 103
#define IDD_DOWNLOAD_PROGRESS 106
#define IDD_CONFIG 2003

#define IDS_DESCRIPTION 1
#define IDS_RECORDER_MISSING 10001
#define IDS_UPGRADE_OFFER 10002
#define IDS_UPGRADE_CANCEL 10003
#define IDS_UPGRADE_FAILED 10004
#define IDS_CANNOT_OPEN 10005

// Configuration dialog
#define IDC_NEW_RECORDING 1001
#define IDC_FILE_INFO 1002
#define IDC_ABOUT 1003
#define IDC_RECORDING_PATH 1004
#define IDC_BROWSE 1005
#define IDC_AUTO_REPEAT 1006
#define IDC_QUICK_PLAY 1007
#define IDC_DRAW_MOUSE_CLICKS 1008
#define IDC_SCALE_TO_FIT 1009
#define IDC_EVERY_MONITOR 1010
#define IDC_SHUFFLE 1011
#define IDC_BROWSE_FOLDER 1012

// File info dialog
#define IDC_INFO_TITLE 2001
#define IDC_INFO_AUTHOR 2002
#define IDC_INFO_DESCRIPTION 2003
#define IDC_INFO_LENGTH 2004
#define IDC_INFO_RATE 2005

// Download progress dialog
#define IDC_DOWNLOAD_PROGRESS 2006

// The maker's web site, opened by the program; string 10001 names it too.
#define QV_WEB_SITE "http://www.quorvane.com/"

// The program's version, in the version resource.
#define QV_VERSION_NUMBERS 1, 0, 33, 0
#define QV_VERSION_TEXT "1.0.33.0"
