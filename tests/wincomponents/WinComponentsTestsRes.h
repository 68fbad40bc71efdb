// Resource ids of the window components' tests.
#pragma once

#define IDB_ONE 301
#define IDB_TWO 302
#define IDB_THREE 303
#define IDB_LOGO 310
#define IDD_SHOWCASE 400
#define IDC_KIND_COMBO 1101
#define IDC_INFO_EDIT 1102
#define IDC_STATUS_STATIC 1103
#define IDC_ALARM_LIST 1104
#define IDC_DISABLED_STATIC 1105
#define IDD_LAYOUT_FORM 120
#define IDC_LAYOUT_FIRST 1200
// IDC_LAYOUT_FIRST + 0 ... + 7: one control per anchor mode
#define IDC_LAYOUT_MISSING 1299
#define IDD_DYNAMIC 402
#define IDD_DYNAMIC_CHILD 403
#define IDC_DYN_STRETCH 1401
#define IDC_DYN_CORNER 1402
#define IDC_DYN_HALF 1403
#define IDC_DYN_SHRINKING 1404
#define IDC_DYN_BUTTON 1405
