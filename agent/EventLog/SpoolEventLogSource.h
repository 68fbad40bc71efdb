// An event-log reader that serves records from a spool folder: one file per log holding
// EVENTLOGRECORD images in the platform's byte layout, oldest first. Other processes append to
// it (the change notification of that log fires), clear it, or wrap it as a circular log does.
#pragma once

#include "agent/EventLog/EventLogSource.h"
#include "framework/Framework.h"

#include <map>
#include <string>
#include <vector>

// The fields of one record, for building its image.
struct SEventRecordFields
{
    DWORD dwEventId = 0;
    WORD wEventType = EVENTLOG_INFORMATION_TYPE;
    WORD wCategory = 0;
    DWORD dwTimeGenerated = 0;
    DWORD dwTimeWritten = 0;
    CString strSource;
    CString strComputer;
    CStringArray arrStrings;
    std::vector<BYTE> sid;
    std::vector<BYTE> data;
};

class CSpoolEventLogSource : public CEventLogSource
{
public:
    explicit CSpoolEventLogSource(const wchar_t* pszFolder);
    ~CSpoolEventLogSource() override;

    HANDLE Open(const wchar_t* pszLogName) override;
    void Close(HANDLE hLog) override;
    BOOL GetCount(HANDLE hLog, DWORD* pdwCount) override;
    BOOL GetOldest(HANDLE hLog, DWORD* pdwOldest) override;
    BOOL SeekRead(HANDLE hLog, BOOL bForwards, DWORD dwRecord, void* pBuffer, DWORD dwSize,
                  DWORD* pdwRead, DWORD* pdwNeeded) override;
    BOOL NotifyChange(HANDLE hLog, HANDLE hEvent) override;

    // Writers. Append numbers the record after the newest one (1 in an empty log) and returns
    // that number, 0 on failure; it signals the log's change notification.
    DWORD Append(const wchar_t* pszLogName, const std::vector<BYTE>& image);
    // Appends the images in order as one write; the first one's number, 0 on failure.
    DWORD AppendBatch(const wchar_t* pszLogName, const std::vector<std::vector<BYTE>>& images);
    BOOL Clear(const wchar_t* pszLogName);
    // Drops the oldest records, as a circular log overwrites them.
    BOOL Wrap(const wchar_t* pszLogName, DWORD dwDropCount);

    // The image of one record in the platform's layout; the record number is set by Append.
    static std::vector<BYTE> BuildImage(const SEventRecordFields& fields);

private:
    struct SIndex
    {
        DWORD dwGeneration = 0;
        LONGLONG nIndexedEnd = 0;
        std::vector<LONGLONG> offsets;
        std::vector<DWORD> lengths;
        DWORD dwFirstNumber = 0;
    };
    struct SOpenLog;
    // The file and lock of one log, shared by all its opens.
    struct SShared
    {
        HANDLE hFile = nullptr;
        HANDLE hLock = nullptr;
    };

    CString FilePath(const wchar_t* pszLogName) const;
    static std::wstring ObjectName(const wchar_t* pszKind, const CString& strPath);
    struct SWriter;
    static HANDLE CreateLock(const CString& strPath);
    static BOOL Lock(HANDLE hMutex);
    static HANDLE OpenSpoolFile(const CString& strPath);
    static BOOL Refresh(HANDLE hFile, SIndex& index);
    BOOL ReadExtent(HANDLE hLog, DWORD* pdwCount, DWORD* pdwOldest);
    static BOOL ReadSettledHeader(HANDLE hFile, DWORD* pdwGeneration);
    static BOOL RefreshUnlocked(HANDLE hFile, SIndex& index);
    static BOOL Holds(const SIndex& index, DWORD dwRecord);
    static DWORD ReadChecked(HANDLE hFile, BOOL bLocked, LONGLONG nOffset, DWORD dwRecord, DWORD dwLength,
                             DWORD dwGeneration, void* pBuffer);
    DWORD ReadIndexed(SOpenLog* pLog, BOOL bLocked, DWORD dwRecord, void* pBuffer, DWORD dwSize, DWORD* pdwRead,
                      DWORD* pdwNeeded);
    BOOL Rewrite(const wchar_t* pszLogName, DWORD dwDropCount);
    static void CALLBACK OnChangeSignal(void* pContext, BOOLEAN bTimedOut);

    CString m_strFolder;
    CRITICAL_SECTION m_csIndex;
    std::map<std::wstring, SIndex> m_mapIndex;
    std::map<std::wstring, SShared> m_mapShared;
};
