#include "support/ReplacingWrite.h"

#include <utility>

namespace
{
CString FolderOf(const CString& path)
{
    int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Left(slash + 1) : CString(L".\\");
}

BOOL FlushToDisk(const wchar_t* pszFile)
{
    HANDLE hFile = CreateFileW(pszFile, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL bFlushed = FlushFileBuffers(hFile);
    CloseHandle(hFile);
    return bFlushed;
}

ReplacingFileSteps SystemSteps()
{
    ReplacingFileSteps steps;
    steps.flush = FlushToDisk;
    steps.move = [](const wchar_t* pszFrom, const wchar_t* pszTo, DWORD dwFlags) {
        return MoveFileExW(pszFrom, pszTo, dwFlags);
    };
    return steps;
}

ReplacingFileSteps& Steps()
{
    static ReplacingFileSteps s_steps = SystemSteps();
    return s_steps;
}
} // namespace

ReplacingFileSteps SetReplacingFileSteps(ReplacingFileSteps steps)
{
    ReplacingFileSteps system = SystemSteps();
    if (!steps.flush)
        steps.flush = system.flush;
    if (!steps.move)
        steps.move = system.move;
    std::swap(Steps(), steps);
    return steps;
}

BOOL WriteBesideThenReplace(const CString& strTarget, const std::function<BOOL(const wchar_t* pszNewFile)>& write)
{
    wchar_t temp[MAX_PATH + 1] = L"";
    if (!GetTempFileNameW(FolderOf(strTarget), L"tvk", 0, temp))
        return FALSE;
    // The new bytes reach the disk before the rename does, and the rename is on the disk when it
    // returns: after a power cut the target is the old file or the whole new one.
    if (write(temp) && Steps().flush(temp) &&
        Steps().move(temp, strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    DeleteFileW(temp);
    return FALSE;
}
