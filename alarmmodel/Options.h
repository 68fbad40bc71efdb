// The notification settings of the options sheet: the GSM modem's port and the SMTP account.
// Nothing is cached; every getter reads the registry store when called, so a change made by
// the settings pages reaches the next action.
#pragma once

#include "framework/core/CString.h"

class COptions
{
public:
    virtual ~COptions() {}

    CString GetSmsComPort() const;
    CString GetSmtpServer() const;
    // Empty means no SMTP authentication.
    CString GetSmtpUsername() const;
    CString GetSmtpPassword() const;
    CString GetSmtpSenderName() const;
    CString GetSmtpSenderEmail() const;
};

COptions& GetOptions();
