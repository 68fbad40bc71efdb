#include "support/ReplacingWrite.h"

#include <windows.h>

namespace
{
CString FolderOf(const CString& path)
{
    int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Left(slash + 1) : CString(L".\\");
}
} // namespace

BOOL WriteBesideThenReplace(const CString& strTarget, const std::function<BOOL(const wchar_t* pszNewFile)>& write)
{
    wchar_t temp[MAX_PATH + 1] = L"";
    if (!GetTempFileNameW(FolderOf(strTarget), L"tvk", 0, temp))
        return FALSE;
    if (write(temp) && MoveFileExW(temp, strTarget, MOVEFILE_REPLACE_EXISTING))
        return TRUE;
    DeleteFileW(temp);
    return FALSE;
}
