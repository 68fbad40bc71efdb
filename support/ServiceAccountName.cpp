#include "support/ServiceAccountName.h"

CString CServiceAccountName::Qualify(const CString& strAccount)
{
    if (strAccount.IsEmpty() || strAccount.Find(L'\\') >= 0 || strAccount.Find(L'@') >= 0)
        return strAccount;
    return L".\\" + strAccount;
}
