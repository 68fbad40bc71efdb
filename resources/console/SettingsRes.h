// Resource ids of the Options sheet and the channel test dialogs.
#pragma once

// Dialogs and pages.
#define IDD_SMTP_MAIL_TEST 138
#define IDD_SMS_TEST 139
#define IDD_SETTINGS_SMS 356
#define IDD_SETTINGS_SMTP 357
#define IDD_NET_SEND_TEST 358
#define IDD_SPEECH_TEST 362

// Texts shown in the test dialogs before their first run.
#define IDS_SMS_TEST_INTRO 101
#define IDS_SMTP_TEST_INTRO 102
#define IDS_NET_SEND_USAGE 103
#define IDS_SPEECH_TEST_INTRO 104

// Controls shared by the test dialogs: what the channel answered and the character count.
#define IDC_TEST_OUTPUT 1033
#define IDC_TEST_CHAR_COUNT 1035

// SMS page of the Options sheet.
#define IDC_SETTINGS_PORT 1034
#define IDC_SETTINGS_TEST 1037

// SMTP page of the Options sheet.
#define IDC_SETTINGS_USERNAME 1034
#define IDC_SETTINGS_PASSWORD 1035
#define IDC_SETTINGS_SERVER 1038
#define IDC_SETTINGS_SENDER_NAME 1039
#define IDC_SETTINGS_SENDER_EMAIL 1040

// SMS test.
#define IDC_SMS_TEST_GSM1 1026
#define IDC_SMS_TEST_TEXT 1027
#define IDC_SMS_TEST_GSM2 1028
#define IDC_SMS_TEST_GSM3 1029
#define IDC_SMS_TEST_PORT 1034
#define IDC_SMS_TEST_USE_GSM1 1037
#define IDC_SMS_TEST_USE_GSM2 1038
#define IDC_SMS_TEST_USE_GSM3 1039

// SMTP mail test.
#define IDC_SMTP_TEST_STATUS 1019
#define IDC_SMTP_TEST_SERVER 1025
#define IDC_SMTP_TEST_SENDER_NAME 1026
#define IDC_SMTP_TEST_SENDER_EMAIL 1027
#define IDC_SMTP_TEST_SUBJECT 1028
#define IDC_SMTP_TEST_TO 1029
#define IDC_SMTP_TEST_CC 1030
#define IDC_SMTP_TEST_BCC 1031
#define IDC_SMTP_TEST_MESSAGE 1032
#define IDC_SMTP_TEST_USERNAME 1034
#define IDC_SMTP_TEST_PASSWORD 1035

// NET SEND test.
#define IDC_NET_SEND_TO 1025
#define IDC_NET_SEND_MESSAGE 1026
#define IDC_NET_SEND_SERVICE 1076

// Speech test.
#define IDC_SPEECH_SPEAK 1072
#define IDC_SPEECH_TEXT 1078
