#include "alarmmodel/channels/SmtpRecipient.h"

CSmtpRecipient::CSmtpRecipient(const char* pszAddress, const char* pszName)
{
    m_strText.Format("%s<%s>", pszName ? pszName : "", pszAddress ? pszAddress : "");
}

CStringA CSmtpRecipient::AddressPart() const
{
    return m_strText.Mid(m_strText.Find('<') + 1);
}
