#pragma once

#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109

#define IDI_VASKVIEWER 107
#define IDI_SMALL 138

#define IDC_VASKVIEWER 109 // menu and accelerator table

#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_SETTINGS 32772

#define IDD_ABOUTBOX 103
#define IDC_ABOUT_ICON 2

#define IDD_SETTINGS 129
#define IDC_SECONDS 1000
#define IDC_RATING 1001
#define IDC_HOURS 1002
#define IDC_APPLY 1003
#define IDC_ALARM 1004

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
