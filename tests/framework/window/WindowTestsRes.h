// Resource ids of the window layer's tests.
#pragma once

#define IDD_EXCHANGE 100
#define IDD_COMMANDS 101
#define IDC_NAME 1000
#define IDC_COUNT 1001
#define IDC_ENABLED 1002
#define IDC_RADIO_A 1003
#define IDC_RADIO_B 1004
#define IDC_RADIO_C 1005
#define IDC_KIND 1006
#define IDC_CHOICES 1007
#define IDC_NOTE 1008
#define IDC_OWN_COMMAND 1010
#define IDC_OWNER_COMMAND 1011
#define IDC_NO_HANDLER 1012
#define IDC_UPDATED 1013
#define IDC_CHECK_NO_HANDLER 1014
#define IDS_BUTTON_TIP 2001
#define IDS_LONG_TIP 2002
