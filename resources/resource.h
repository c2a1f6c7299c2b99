#pragma once
// Resource ids, by kind: icons 100-199, bitmaps 200-299, dialogs 300-399, strings 400-499;
// dialog controls from 1000, in a block of 50 per dialog. Each feature keeps its ids in its
// own section below, and its dialog templates in its own resource script (alarm.rc, ...).
#define IDI_VELUMBRINO 100

// ---- About box: dialog 300, controls 1000-1049
#define IDD_ABOUT 300
#define IDC_ABOUT_ICON 1000
#define IDC_ABOUT_NAME 1001
#define IDC_ABOUT_DESCRIPTION 1002
#define IDC_ABOUT_COPYRIGHT 1003
#define IDC_ABOUT_LINK 1004

// ---- Alarm dialog (alarm.rc): dialogs 310-319, controls 1050-1099
#define IDD_ALARM 310
#define IDC_ALARM_USE 1050
#define IDC_ALARM_DAILY 1051
#define IDC_ALARM_DATE_LABEL 1052
#define IDC_ALARM_DATE_BOX 1053
#define IDC_ALARM_DATE_PICKER 1054
#define IDC_ALARM_TIME_LABEL 1055
#define IDC_ALARM_TIME_BOX 1056
#define IDC_ALARM_TIME_PICKER 1057
#define IDC_ALARM_PLAY 1058
#define IDC_ALARM_SOUND_DEFAULT 1059
#define IDC_ALARM_SOUND_FILE 1060
#define IDC_ALARM_PATH 1061
#define IDC_ALARM_BROWSE 1062
#define IDC_ALARM_TEST 1063
#define IDC_ALARM_HELP 1064
#define IDC_ALARM_SOUND_GROUP 1065
#define IDC_ALARM_USE_GROUP 1066

// ---- Note dialogs (note_dialogs.rc): title 320, insert 330, show 340, delete 350;
//      controls 1100-1299
#define IDD_NOTE_TITLE 320
#define IDC_TITLE_FRAME 1100
#define IDC_TITLE_OK 1101
#define IDC_TITLE_CANCEL 1102
#define IDC_TITLE_TIME 1103
#define IDC_TITLE_DATE 1104
#define IDC_TITLE_TEXT 1105
#define IDC_TITLE_DATE_AND_TIME 1106
#define IDD_INSERT_DATE_TIME 330
#define IDC_INSERT_FRAME 1150
#define IDC_INSERT_LIST 1151
#define IDD_SHOW_NOTES 340
#define IDD_DELETE_NOTES 350
#define IDC_NOTE_LIST_SELECTED 1200
#define IDC_NOTE_LIST_ALL 1201
#define IDC_NOTE_LIST_HELP 1203
#define IDC_NOTE_LIST 1204

// ---- File commands (files.rc): dialogs 360-369, controls 1300-1349

// ---- End of the sections
