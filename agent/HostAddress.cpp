#include "agent/HostAddress.h"

#include <cstring>

namespace
{
const int MAX_PORT_DIGITS = 5;
}

// inet_addr cannot tell the broadcast address from a failure.
BOOL CHostAddress::ParseDotted(const CStringA& strText, in_addr& address)
{
    unsigned long ulAddress = inet_addr(strText);
    if (ulAddress == INADDR_NONE && strText != "255.255.255.255")
        return FALSE;
    address.s_addr = ulAddress;
    return TRUE;
}

BOOL CHostAddress::Resolve(const wchar_t* pszHost)
{
    CStringA strHost(pszHost);
    if (ParseDotted(strHost, m_address))
        return TRUE;
    hostent* pHost = gethostbyname(strHost);
    if (!pHost || pHost->h_addrtype != AF_INET || !pHost->h_addr_list || !pHost->h_addr_list[0])
        return FALSE;
    memcpy(&m_address, pHost->h_addr_list[0], sizeof(m_address));
    return TRUE;
}

sockaddr_in CHostAddress::SocketAddress(int nPort) const
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr = m_address;
    address.sin_port = htons((u_short)nPort);
    return address;
}

CString CHostAddress::GetDottedText() const
{
    const BYTE* pb = (const BYTE*)&m_address;
    CString strText;
    strText.Format(L"%u.%u.%u.%u", (unsigned)pb[0], (unsigned)pb[1], (unsigned)pb[2], (unsigned)pb[3]);
    return strText;
}

BOOL CHostAddress::LookupName(const CString& strDotted, CString& strName)
{
    strName.Empty();
    in_addr address;
    if (ParseDotted(CStringA(strDotted), address))
    {
        hostent* pHost = gethostbyaddr((const char*)&address, sizeof(address), AF_INET);
        if (pHost && pHost->h_name)
            strName = CString(pHost->h_name);
    }
    return !strName.IsEmpty();
}

int CHostAddress::ParsePort(const wchar_t* pszPort)
{
    CString strPort(pszPort);
    strPort.Trim();
    if (strPort.IsEmpty() || strPort.GetLength() > MAX_PORT_DIGITS)
        return 0;
    int nPort = 0;
    for (int i = 0; i < strPort.GetLength(); ++i)
    {
        if (strPort[i] < L'0' || strPort[i] > L'9')
            return 0;
        nPort = nPort * 10 + (strPort[i] - L'0');
    }
    return IsValidPort(nPort) ? nPort : 0;
}
