#pragma once
// Resource ids, by kind: icons 100-199, bitmaps 200-299, dialogs 300-399, strings 400-499;
// dialog controls from 1000, in blocks of 50 per dialog.
#define IDI_VELUMBRINO 100

#define IDD_ABOUT 300

#define IDC_ABOUT_ICON 1000
#define IDC_ABOUT_NAME 1001
#define IDC_ABOUT_DESCRIPTION 1002
#define IDC_ABOUT_COPYRIGHT 1003
#define IDC_ABOUT_LINK 1004
