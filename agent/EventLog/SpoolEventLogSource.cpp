#include "agent/EventLog/SpoolEventLogSource.h"

#include <cstring>

namespace
{
const DWORD SPOOL_MAGIC = 0x50535154; // "TQSP"
const DWORD HEADER_SIZE = 16;
const DWORD RECORD_SIGNATURE = 0x654c664c; // "LfLe", as the platform marks its records
const DWORD LOCK_WAIT_MS = 10000;

struct SSpoolHeader
{
    DWORD dwMagic;
    DWORD dwGeneration;
    DWORD dwRewriting; // non-zero while a clear or wrap moves the records
    DWORD dwReserved;
};

void AppendBytes(std::vector<BYTE>& out, const void* p, size_t n)
{
    const BYTE* pb = (const BYTE*)p;
    out.insert(out.end(), pb, pb + n);
}

void AppendText(std::vector<BYTE>& out, const CString& s)
{
    AppendBytes(out, s.GetString(), ((size_t)s.GetLength() + 1) * sizeof(wchar_t));
}

void PadToDword(std::vector<BYTE>& out)
{
    while (out.size() % 4)
        out.push_back(0);
}

// Through the file pointer: a read or write given its own offset is also reported to the
// handle's completion port, a round trip to the Wine server each time. The pointer is shared by
// every open of a log in this process, so callers hold the index lock.
BOOL ReadAt(HANDLE hFile, LONGLONG nOffset, void* p, DWORD n)
{
    LARGE_INTEGER li;
    li.QuadPart = nOffset;
    DWORD dwRead = 0;
    return SetFilePointerEx(hFile, li, nullptr, FILE_BEGIN) && ReadFile(hFile, p, n, &dwRead, nullptr) && dwRead == n;
}

BOOL WriteAt(HANDLE hFile, LONGLONG nOffset, const void* p, DWORD n)
{
    LARGE_INTEGER li;
    li.QuadPart = nOffset;
    DWORD dwWritten = 0;
    return SetFilePointerEx(hFile, li, nullptr, FILE_BEGIN) && WriteFile(hFile, p, n, &dwWritten, nullptr) && dwWritten == n;
}

LONGLONG FileSize(HANDLE hFile)
{
    LARGE_INTEGER li;
    return GetFileSizeEx(hFile, &li) ? li.QuadPart : -1;
}
} // namespace

// What an open handle of this source points at.
struct CSpoolEventLogSource::SOpenLog
{
    CString strPath;
    HANDLE hFile = nullptr;
    HANDLE hLock = nullptr;
    HANDLE hSignal = nullptr;     // the named event that writers set
    HANDLE hWait = nullptr;       // the thread-pool wait forwarding it
};

// A writer's hold on one spool file: its lock taken and the file open, both for its lifetime.
struct CSpoolEventLogSource::SWriter
{
    explicit SWriter(const CString& strPath) : hLock(CreateLock(strPath))
    {
        bLocked = Lock(hLock);
        hFile = bLocked ? OpenSpoolFile(strPath) : nullptr;
    }
    ~SWriter()
    {
        if (hFile)
            CloseHandle(hFile);
        if (bLocked)
            ReleaseMutex(hLock);
        if (hLock)
            CloseHandle(hLock);
    }
    BOOL IsLocked() const { return bLocked && hFile; }

    HANDLE hLock;
    HANDLE hFile;
    BOOL bLocked;
};

CSpoolEventLogSource::CSpoolEventLogSource(const wchar_t* pszFolder) : m_strFolder(pszFolder)
{
    m_strFolder.TrimRight(L'\\');
    InitializeCriticalSection(&m_csIndex);
}

CSpoolEventLogSource::~CSpoolEventLogSource()
{
    for (auto& shared : m_mapShared)
    {
        CloseHandle(shared.second.hFile);
        CloseHandle(shared.second.hLock);
    }
    DeleteCriticalSection(&m_csIndex);
}

CString CSpoolEventLogSource::FilePath(const wchar_t* pszLogName) const
{
    CString s;
    s.Format(L"%s\\%s.spool", m_strFolder.GetString(), pszLogName);
    return s;
}

// Writers and readers of one spool file meet through objects named after its full path.
std::wstring CSpoolEventLogSource::ObjectName(const wchar_t* pszKind, const CString& strPath)
{
    wchar_t szFull[MAX_PATH * 2] = {0};
    if (!GetFullPathNameW(strPath, MAX_PATH * 2, szFull, nullptr))
        wcsncpy(szFull, strPath, MAX_PATH * 2 - 1);
    CharLowerW(szFull);
    DWORD dwHash = 2166136261u;
    for (const wchar_t* p = szFull; *p; ++p)
        dwHash = (dwHash ^ (DWORD)*p) * 16777619u;
    wchar_t szName[64];
    _snwprintf(szName, 64, L"TervokSpool%s-%08X", pszKind, (unsigned)dwHash);
    szName[63] = 0;
    return szName;
}

HANDLE CSpoolEventLogSource::CreateLock(const CString& strPath)
{
    return CreateMutexW(nullptr, FALSE, ObjectName(L"Lock", strPath).c_str());
}

BOOL CSpoolEventLogSource::Lock(HANDLE hMutex)
{
    DWORD dw = hMutex ? WaitForSingleObject(hMutex, LOCK_WAIT_MS) : WAIT_FAILED;
    return dw == WAIT_OBJECT_0 || dw == WAIT_ABANDONED;
}

// Opens the file, creating it with an empty header when it does not exist yet.
HANDLE CSpoolEventLogSource::OpenSpoolFile(const CString& strPath)
{
    HANDLE hFile = CreateFileW(strPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return nullptr;
    if (FileSize(hFile) < HEADER_SIZE)
    {
        SSpoolHeader header = {SPOOL_MAGIC, 1, 0, 0};
        if (!WriteAt(hFile, 0, &header, sizeof(header)) || !SetEndOfFile(hFile))
        {
            CloseHandle(hFile);
            return nullptr;
        }
    }
    return hFile;
}

// Brings the in-memory index of a log up to date with its file. Appends only extend the file;
// a clear or a wrap rewrites it under a new generation number, which restarts the index.
// Called with the log's lock held.
BOOL CSpoolEventLogSource::Refresh(HANDLE hFile, SIndex& index)
{
    SSpoolHeader header;
    BOOL bOk = hFile && ReadAt(hFile, 0, &header, sizeof(header)) && header.dwMagic == SPOOL_MAGIC;
    LONGLONG nSize = bOk ? FileSize(hFile) : -1;
    if (!bOk || nSize < 0)
        return FALSE;
    if (header.dwGeneration != index.dwGeneration || nSize < index.nIndexedEnd)
    {
        index = SIndex();
        index.dwGeneration = header.dwGeneration;
        index.nIndexedEnd = HEADER_SIZE;
    }
    std::vector<BYTE> tail((size_t)(nSize - index.nIndexedEnd));
    if (!tail.empty() && !ReadAt(hFile, index.nIndexedEnd, tail.data(), (DWORD)tail.size()))
        tail.clear();

    size_t nPos = 0;
    while (tail.size() - nPos >= sizeof(EVENTLOGRECORD))
    {
        const EVENTLOGRECORD* pRecord = (const EVENTLOGRECORD*)&tail[nPos];
        if (pRecord->Length < sizeof(EVENTLOGRECORD) || pRecord->Length > tail.size() - nPos)
            break; // a record still being written, or damage: stop at the last whole one
        if (index.offsets.empty())
            index.dwFirstNumber = pRecord->RecordNumber;
        index.offsets.push_back(index.nIndexedEnd + (LONGLONG)nPos);
        index.lengths.push_back(pRecord->Length);
        nPos += pRecord->Length;
    }
    index.nIndexedEnd += (LONGLONG)nPos;
    return TRUE;
}

// The file and its lock are opened at the first open of a log and kept until the source goes:
// the monitor opens its log for every record, and each open and close is a round trip to the
// Wine server.
HANDLE CSpoolEventLogSource::Open(const wchar_t* pszLogName)
{
    CString strPath = FilePath(pszLogName);
    EnterCriticalSection(&m_csIndex);
    SShared& shared = m_mapShared[strPath.str()];
    if (!shared.hFile)
    {
        HANDLE hFile = OpenSpoolFile(strPath);
        HANDLE hLock = hFile ? CreateLock(strPath) : nullptr;
        if (hLock)
        {
            shared.hFile = hFile;
            shared.hLock = hLock;
        }
        else if (hFile)
            CloseHandle(hFile);
    }
    SOpenLog* pLog = nullptr;
    if (shared.hFile)
    {
        pLog = new SOpenLog;
        pLog->strPath = strPath;
        pLog->hFile = shared.hFile;
        pLog->hLock = shared.hLock;
    }
    else
        m_mapShared.erase(strPath.str());
    LeaveCriticalSection(&m_csIndex);
    return (HANDLE)pLog;
}

void CSpoolEventLogSource::Close(HANDLE hLog)
{
    SOpenLog* pLog = (SOpenLog*)hLog;
    if (!pLog)
        return;
    if (pLog->hWait)
        UnregisterWaitEx(pLog->hWait, INVALID_HANDLE_VALUE);
    if (pLog->hSignal)
        CloseHandle(pLog->hSignal);
    delete pLog;
}

// Reads the header; FALSE when it is not a spool's, or while a rewrite is under way.
BOOL CSpoolEventLogSource::ReadSettledHeader(HANDLE hFile, DWORD* pdwGeneration)
{
    SSpoolHeader header;
    if (!ReadAt(hFile, 0, &header, sizeof(header)) || header.dwMagic != SPOOL_MAGIC || header.dwRewriting)
        return FALSE;
    *pdwGeneration = header.dwGeneration;
    return TRUE;
}

// Brings the index up to date without the log's lock, whose wait and release are two round
// trips to the Wine server. Appends only add whole records past the indexed end; a clear or a
// wrap marks the header before it moves records and bumps the generation, so a look that
// overlaps one fails here (and leaves an empty index) and the caller takes the lock.
BOOL CSpoolEventLogSource::RefreshUnlocked(HANDLE hFile, SIndex& index)
{
    DWORD dwBefore = 0, dwAfter = 0;
    BOOL bOk = ReadSettledHeader(hFile, &dwBefore) && Refresh(hFile, index) && ReadSettledHeader(hFile, &dwAfter) &&
               dwAfter == dwBefore && index.dwGeneration == dwBefore;
    if (!bOk)
        index = SIndex();
    return bOk;
}

// Number of records and the oldest one's number (0 in an empty log).
BOOL CSpoolEventLogSource::ReadExtent(HANDLE hLog, DWORD* pdwCount, DWORD* pdwOldest)
{
    SOpenLog* pLog = (SOpenLog*)hLog;
    if (!pLog)
        return FALSE;
    EnterCriticalSection(&m_csIndex);
    SIndex& index = m_mapIndex[pLog->strPath.str()];
    BOOL bOk = RefreshUnlocked(pLog->hFile, index);
    if (!bOk && Lock(pLog->hLock))
    {
        bOk = Refresh(pLog->hFile, index);
        ReleaseMutex(pLog->hLock);
    }
    if (bOk && pdwCount)
        *pdwCount = (DWORD)index.offsets.size();
    if (bOk && pdwOldest)
        *pdwOldest = index.offsets.empty() ? 0 : index.dwFirstNumber;
    LeaveCriticalSection(&m_csIndex);
    return bOk;
}

BOOL CSpoolEventLogSource::GetCount(HANDLE hLog, DWORD* pdwCount)
{
    return ReadExtent(hLog, pdwCount, nullptr);
}

BOOL CSpoolEventLogSource::GetOldest(HANDLE hLog, DWORD* pdwOldest)
{
    return ReadExtent(hLog, nullptr, pdwOldest);
}

BOOL CSpoolEventLogSource::SeekRead(HANDLE hLog, BOOL /*bForwards*/, DWORD dwRecord, void* pBuffer, DWORD dwSize,
                                    DWORD* pdwRead, DWORD* pdwNeeded)
{
    // One record is served per call, in either direction: the record asked for.
    SOpenLog* pLog = (SOpenLog*)hLog;
    if (!pLog)
        return FALSE;
    DWORD dwError = ReadIndexed(pLog, FALSE, dwRecord, pBuffer, dwSize, pdwRead, pdwNeeded);
    if (dwError == ERROR_RETRY)
    {
        if (!Lock(pLog->hLock))
            return FALSE;
        dwError = ReadIndexed(pLog, TRUE, dwRecord, pBuffer, dwSize, pdwRead, pdwNeeded);
        ReleaseMutex(pLog->hLock);
    }
    SetLastError(dwError);
    return dwError == ERROR_SUCCESS;
}

BOOL CSpoolEventLogSource::Holds(const SIndex& index, DWORD dwRecord)
{
    return !index.offsets.empty() && dwRecord >= index.dwFirstNumber &&
           dwRecord - index.dwFirstNumber < index.offsets.size();
}

// Serves one record through the index. Without the lock (bLocked FALSE) the record is checked
// after the read against the header and its own number and length; ERROR_RETRY then means that
// a clear or wrap may have moved it and the caller must take the lock. A size asked for without
// the lock is a hint that the read with that size checks again.
DWORD CSpoolEventLogSource::ReadIndexed(SOpenLog* pLog, BOOL bLocked, DWORD dwRecord, void* pBuffer, DWORD dwSize,
                                        DWORD* pdwRead, DWORD* pdwNeeded)
{
    *pdwRead = 0;
    *pdwNeeded = 0;
    EnterCriticalSection(&m_csIndex);
    SIndex& index = m_mapIndex[pLog->strPath.str()];
    BOOL bFresh = bLocked ? Refresh(pLog->hFile, index)
                          : (Holds(index, dwRecord) || RefreshUnlocked(pLog->hFile, index));
    DWORD dwError = ERROR_SUCCESS, dwGeneration = index.dwGeneration, dwLength = 0;
    LONGLONG nOffset = 0;
    if (!bFresh)
        dwError = bLocked ? ERROR_READ_FAULT : ERROR_RETRY;
    else if (!Holds(index, dwRecord))
        dwError = ERROR_INVALID_PARAMETER;
    else
    {
        nOffset = index.offsets[dwRecord - index.dwFirstNumber];
        dwLength = index.lengths[dwRecord - index.dwFirstNumber];
    }
    if (dwError == ERROR_SUCCESS && dwSize < dwLength)
    {
        *pdwNeeded = dwLength;
        dwError = ERROR_INSUFFICIENT_BUFFER;
    }
    else if (dwError == ERROR_SUCCESS)
        dwError = ReadChecked(pLog->hFile, bLocked, nOffset, dwRecord, dwLength, dwGeneration, pBuffer);
    if (dwError == ERROR_SUCCESS)
        *pdwRead = dwLength;
    LeaveCriticalSection(&m_csIndex);
    return dwError;
}

// Reads an indexed record; without the lock, checks it against the header and itself.
DWORD CSpoolEventLogSource::ReadChecked(HANDLE hFile, BOOL bLocked, LONGLONG nOffset, DWORD dwRecord, DWORD dwLength,
                                        DWORD dwGeneration, void* pBuffer)
{
    const EVENTLOGRECORD* pRecord = (const EVENTLOGRECORD*)pBuffer;
    DWORD dwNow = 0;
    if (!ReadAt(hFile, nOffset, pBuffer, dwLength))
        return bLocked ? ERROR_READ_FAULT : ERROR_RETRY;
    if (!bLocked && (!ReadSettledHeader(hFile, &dwNow) || dwNow != dwGeneration || pRecord->RecordNumber != dwRecord ||
                     pRecord->Length != dwLength))
        return ERROR_RETRY;
    return ERROR_SUCCESS;
}

void CALLBACK CSpoolEventLogSource::OnChangeSignal(void* pContext, BOOLEAN /*bTimedOut*/)
{
    SetEvent((HANDLE)pContext);
}

BOOL CSpoolEventLogSource::NotifyChange(HANDLE hLog, HANDLE hEvent)
{
    SOpenLog* pLog = (SOpenLog*)hLog;
    if (!pLog || pLog->hWait)
        return FALSE;
    pLog->hSignal = CreateEventW(nullptr, FALSE, FALSE, ObjectName(L"Change", pLog->strPath).c_str());
    if (!pLog->hSignal)
        return FALSE;
    if (!RegisterWaitForSingleObject(&pLog->hWait, pLog->hSignal, OnChangeSignal, hEvent, INFINITE, WT_EXECUTEDEFAULT))
    {
        pLog->hWait = nullptr;
        return FALSE;
    }
    return TRUE;
}

DWORD CSpoolEventLogSource::Append(const wchar_t* pszLogName, const std::vector<BYTE>& image)
{
    return AppendBatch(pszLogName, std::vector<std::vector<BYTE>>(1, image));
}

// One write and one signal for the whole batch, all under the log's lock: a reader sees none
// of the records or all of them.
DWORD CSpoolEventLogSource::AppendBatch(const wchar_t* pszLogName, const std::vector<std::vector<BYTE>>& images)
{
    for (const std::vector<BYTE>& image : images)
        if (image.size() < sizeof(EVENTLOGRECORD))
            return 0;
    CString strPath = FilePath(pszLogName);
    SWriter writer(strPath);
    if (images.empty() || !writer.IsLocked())
        return 0;
    DWORD dwFirst = 0;
    EnterCriticalSection(&m_csIndex);
    SIndex& index = m_mapIndex[strPath.str()];
    HANDLE hFile = writer.hFile;
    if (Refresh(hFile, index))
    {
        DWORD dwNumber = index.offsets.empty() ? 1 : index.dwFirstNumber + (DWORD)index.offsets.size();
        std::vector<BYTE> records;
        for (size_t i = 0; i < images.size(); i++)
        {
            size_t nAt = records.size();
            records.insert(records.end(), images[i].begin(), images[i].end());
            ((EVENTLOGRECORD*)&records[nAt])->RecordNumber = dwNumber + (DWORD)i;
        }
        if (WriteAt(hFile, index.nIndexedEnd, records.data(), (DWORD)records.size()) && SetEndOfFile(hFile))
            dwFirst = dwNumber;
    }
    LeaveCriticalSection(&m_csIndex);
    if (dwFirst)
    {
        HANDLE hSignal = CreateEventW(nullptr, FALSE, FALSE, ObjectName(L"Change", strPath).c_str());
        if (hSignal)
        {
            SetEvent(hSignal);
            CloseHandle(hSignal);
        }
    }
    return dwFirst;
}

BOOL CSpoolEventLogSource::Clear(const wchar_t* pszLogName)
{
    return Rewrite(pszLogName, MAXDWORD);
}

BOOL CSpoolEventLogSource::Wrap(const wchar_t* pszLogName, DWORD dwDropCount)
{
    return Rewrite(pszLogName, dwDropCount);
}

// Keeps the records after the oldest dwDropCount ones, under a new generation number.
BOOL CSpoolEventLogSource::Rewrite(const wchar_t* pszLogName, DWORD dwDropCount)
{
    CString strPath = FilePath(pszLogName);
    SWriter writer(strPath);
    if (!writer.IsLocked())
        return FALSE;
    BOOL bOk = FALSE;
    EnterCriticalSection(&m_csIndex);
    SIndex& index = m_mapIndex[strPath.str()];
    HANDLE hFile = writer.hFile;
    if (Refresh(hFile, index))
    {
        SSpoolHeader header;
        std::vector<BYTE> kept;
        size_t nFirstKept = dwDropCount >= index.offsets.size() ? index.offsets.size() : dwDropCount;
        if (nFirstKept < index.offsets.size())
        {
            kept.resize((size_t)(index.nIndexedEnd - index.offsets[nFirstKept]));
            bOk = ReadAt(hFile, index.offsets[nFirstKept], kept.data(), (DWORD)kept.size());
        }
        else
            bOk = TRUE;
        bOk = bOk && ReadAt(hFile, 0, &header, sizeof(header));
        if (bOk)
        {
            // Marked first, so that a reader without the lock sees the move coming.
            header.dwGeneration++;
            header.dwRewriting = 1;
            bOk = WriteAt(hFile, 0, &header, sizeof(header)) &&
                  (kept.empty() || WriteAt(hFile, HEADER_SIZE, kept.data(), (DWORD)kept.size())) &&
                  SetEndOfFile(hFile);
            header.dwRewriting = 0;
            bOk = bOk && WriteAt(hFile, 0, &header, sizeof(header));
        }
    }
    LeaveCriticalSection(&m_csIndex);
    return bOk;
}

std::vector<BYTE> CSpoolEventLogSource::BuildImage(const SEventRecordFields& fields)
{
    std::vector<BYTE> out(sizeof(EVENTLOGRECORD), 0);
    AppendText(out, fields.strSource);
    AppendText(out, fields.strComputer);
    PadToDword(out);
    DWORD dwSidOffset = (DWORD)out.size();
    AppendBytes(out, fields.sid.data(), fields.sid.size());
    DWORD dwStringOffset = (DWORD)out.size();
    for (int i = 0; i < fields.arrStrings.GetSize(); i++)
        AppendText(out, fields.arrStrings[i]);
    DWORD dwDataOffset = (DWORD)out.size();
    AppendBytes(out, fields.data.data(), fields.data.size());
    PadToDword(out);
    DWORD dwLength = (DWORD)out.size() + sizeof(DWORD);
    AppendBytes(out, &dwLength, sizeof(dwLength));

    EVENTLOGRECORD* pRecord = (EVENTLOGRECORD*)out.data();
    pRecord->Length = dwLength;
    pRecord->Reserved = RECORD_SIGNATURE;
    pRecord->TimeGenerated = fields.dwTimeGenerated;
    pRecord->TimeWritten = fields.dwTimeWritten;
    pRecord->EventID = fields.dwEventId;
    pRecord->EventType = fields.wEventType;
    pRecord->NumStrings = (WORD)fields.arrStrings.GetSize();
    pRecord->EventCategory = fields.wCategory;
    pRecord->StringOffset = dwStringOffset;
    pRecord->UserSidLength = (DWORD)fields.sid.size();
    pRecord->UserSidOffset = fields.sid.empty() ? 0 : dwSidOffset;
    pRecord->DataLength = (DWORD)fields.data.size();
    pRecord->DataOffset = dwDataOffset;
    return out;
}
