// An IPv4 address as the product line's peers are named: a dotted address, or a host name
// that stands for its first address. Also the port texts and the reverse lookup beside it.
#pragma once

#include <winsock2.h>

#include "framework/core/CString.h"

class CHostAddress
{
public:
    CHostAddress() : m_address() {}

    // A dotted address as it is, else the first IPv4 address of the name; FALSE (the last
    // error telling why) when there is none.
    BOOL Resolve(const wchar_t* pszHost);
    // The address with the port, for connect.
    sockaddr_in SocketAddress(int nPort) const;
    // "%u.%u.%u.%u".
    CString GetDottedText() const;

    // The official name of a dotted address; FALSE when the reverse lookup found none.
    static BOOL LookupName(const CString& strDotted, CString& strName);
    // Decimal digits only, blanks around them allowed, from 1 to 65535; 0 for any other text.
    static int ParsePort(const wchar_t* pszPort);
    static BOOL IsValidPort(int nPort) { return nPort >= 1 && nPort <= 65535; }

    in_addr m_address;

private:
    static BOOL ParseDotted(const CStringA& strText, in_addr& address);
};
