// The account a service is to run under, in the form the service control manager takes.
#pragma once

#include "framework/core/CString.h"

class CServiceAccountName
{
public:
    // A bare user name is an account of this machine and gets ".\" in front; a name with a
    // domain part ("DOMAIN\user", ".\user") or in the form "user@domain", and an empty name (the
    // local system account), are returned as they are.
    static CString Qualify(const CString& strAccount);
};
