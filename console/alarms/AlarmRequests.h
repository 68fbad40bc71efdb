// The records that the outstanding-alarms view's companions pass by address with the view's
// registered messages; they belong to the sender and are filled in before the send returns.
#pragma once

#include "framework/core/CString.h"

// With RegisteredMessage::nMsgGetData.
struct AlarmDataRequest
{
    int step;      // rows to move from the current alarm
    int key;       // the current alarm; negative: nothing is done; out: the chosen one
    BOOL criteria; // the text gets the definition's criteria instead of the description
    CString age;
    CString classText;
    CString created;
    CString text;
    CString from;
    CString log;
    CString matchText;
    CString status;
    CString title;
};

// With RegisteredMessage::nMsgFind.
struct AlarmFindRequest
{
    CString columnName; // empty: every column
    CString text;       // lower-cased in place
    int column;         // 0 to 8 a list column, 998 the match text, 999 the log
    int mode;           // 0 first match, 1 every match, other: count only
    int matches;
};

// With RegisteredMessage::nMsgBrowser.
struct AlarmSearchRequest
{
    CString text;
    BOOL inMatchText;
    BOOL inLog;
    BOOL forward;
    BOOL backward;
    int key; // the current alarm; on a hit the found one
};
