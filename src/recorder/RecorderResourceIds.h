#pragma once
// Identifiers of the recorder's resources, shared by its resource script and its code.

#define IDI_RECORDER 100
#define IDD_RECORDER 200

#define IDC_WHOLE_SCREEN 1001
#define IDC_ONE_MONITOR 1002
#define IDC_MONITOR 1003
#define IDC_RECTANGLE 1004
#define IDC_SELECT_RECTANGLE 1005
#define IDC_RECTANGLE_TEXT 1006
#define IDC_FRAMES_PER_SECOND 1007
#define IDC_RECORD_POINTER 1008
#define IDC_RECORD_CLICKS 1009
#define IDC_OUTPUT_FILE 1010
#define IDC_BROWSE_OUTPUT 1011
#define IDC_TITLE 1012
#define IDC_AUTHOR 1013
#define IDC_DESCRIPTION 1014
#define IDC_STATUS 1015
#define IDC_RECORD 1016
#define IDC_STOP 1017
#define IDC_USE_AS_SAVER 1018
#define IDC_PLAY 1019
