#pragma once
// The program's own dialogs, menu and commands. Read by the resource compiler too, so macros only.
// The icon and the break pictures are numbered with the core, which asks for the pictures.
#include "render/PictureIds.h"

#define IDD_ABOUT 100
#define IDS_ABOUT_MENU_ITEM 101
#define IDD_BREAK_SCREEN 102
#define IDD_MUSIC_INFO 132
#define IDR_TRAY_MENU 133

#define ID_TRAY_SETTINGS 32771
#define ID_TRAY_EXIT 32773
#define ID_TRAY_HELP 32774
#define ID_APP_ABOUT 57664
// The session's items, put in front of the menu's own when it opens: one for each pause choice
// from the first, then 继续提醒, 推迟5分钟 and 现在休息.
#define ID_TRAY_PAUSE_FIRST 32780
#define ID_TRAY_RESUME 32790
#define ID_TRAY_POSTPONE 32791
#define ID_TRAY_BREAK_NOW 32792

// 关于 Velunor: the version line, set from the program's version when the box opens
#define IDC_ABOUT_VERSION 1003

// 音乐 (the music information dialog)
#define IDC_MUSIC_INFO_OK 1000
#define IDC_TECH_SUPPORT 1001
