// One recipient of a mail: "name<address>", or "<address>" without a name.
#pragma once

#include "framework/core/CString.h"

class CSmtpRecipient
{
public:
    CSmtpRecipient(const char* pszAddress, const char* pszName);
    virtual ~CSmtpRecipient() {}

    // What RCPT TO carries after its '<': the address and the closing '>'.
    CStringA AddressPart() const;

    CStringA m_strText;
};
