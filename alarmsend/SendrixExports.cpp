// The library's two exports. Strings handed out come from this library's heap and go back
// through AlarmFreeString.
#include "alarmsend/AlarmRecord.h"

#include <cwchar>

namespace
{
wchar_t* NewString(const CString& strText)
{
    wchar_t* p = new wchar_t[(size_t)strText.GetLength() + 1];
    wmemcpy(p, strText.GetString(), (size_t)strText.GetLength() + 1);
    return p;
}
} // namespace

extern "C" int __stdcall AlarmSendUnicode(int nClass, int nFieldCount, const wchar_t* pNames, const wchar_t* pValues,
                                          wchar_t** ppRecord, wchar_t** ppError)
{
    CString strRecord, strError;
    SendAlarm(nClass, nFieldCount, pNames, pValues, strRecord, strError);
    if (ppRecord)
        *ppRecord = NewString(strRecord);
    if (ppError)
        *ppError = NewString(strError);
    return 1;
}

extern "C" void __stdcall AlarmFreeString(wchar_t* pString)
{
    delete[] pString;
}
