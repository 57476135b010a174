#pragma once
// The templates of the settings and library dialogs and their controls. Read by the resource
// compiler too, so macros only.

#define IDD_SETTINGS 131
#define IDD_PICTURE_LIBRARY 137
#define IDD_MUSIC_LIBRARY 139

// 设置
#define IDC_SAVE_SETTINGS 1000
#define IDC_START_AT_LOGON 1002
#define IDC_INTERVAL_MINUTES 1003
#define IDC_MUSIC_LIBRARY 1006
#define IDC_BREAK_MINUTES 1007
#define IDC_PICTURE_LIBRARY 1014
#define IDC_HIDE_WINDOW 1024
#define IDC_VERSION_NOTES 1025

// 图片编辑
#define IDC_PICTURE_DONE 1002
#define IDC_PICTURE_LIST 1015
#define IDC_PICTURE_ADD 1018
#define IDC_PICTURE_DELETE 1019

// 音乐编辑
#define IDC_MUSIC_ADD 1020
#define IDC_MUSIC_DELETE 1021
#define IDC_MUSIC_DONE 1022
#define IDC_MUSIC_LIST 1023
