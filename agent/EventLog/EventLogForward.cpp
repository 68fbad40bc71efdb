// The monitor's reading and sending of one record, and its message cache.
#include "agent/EventLog/EventLog.h"

#include "agent/AgentTime.h"
#include "agent/ConfigFile.h"
#include "agent/DeadlineSocketCalls.h"
#include "agent/EventLog/EventLogSource.h"
#include "agent/EventLog/EventRecordText.h"
#include "agent/FramedMessage.h"
#include "agent/HostAddress.h"
#include "agent/MessageCache.h"
#include "agent/SocketErrorText.h"
#include "agent/TraceLog.h"
#include "support/AppPaths.h"
#include "support/SystemErrorText.h"

#include <winsock2.h>

#include <io.h>

namespace
{
const int DEFAULT_TARGET_PORT = 7258;
const DWORD PUSH_TYPE = 0x80000002;
const DWORD PUSH_KEY_NUMBER = 2;

// A connection that is made at once (a collector on the same machine) has its peer already.
// Under Wine this look is one round trip to the Wine server; the wait in select costs several.
BOOL HasPeer(SOCKET s)
{
    sockaddr_in peer;
    int nLength = sizeof(peer);
    return getpeername(s, (sockaddr*)&peer, &nLength) == 0;
}

// Connects with the time bounded: a target that does not answer must not hold the monitor. The
// socket stays non-blocking and its sends are bounded by a deadline too: switching it back
// costs a round trip to the Wine server for every push.
BOOL ConnectBounded(SOCKET s, const sockaddr_in& address, DWORD dwTimeout)
{
    CDeadlineSocketCalls::MakeNonBlocking(s);
    BOOL bConnected = connect(s, (const sockaddr*)&address, sizeof(address)) == 0;
    if (!bConnected && WSAGetLastError() == WSAEWOULDBLOCK)
    {
        if (HasPeer(s))
            return TRUE;
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval tv = {(long)(dwTimeout / 1000), (long)(dwTimeout % 1000) * 1000};
        int n = select(0, nullptr, &writable, &failed, &tv);
        if (n > 0 && FD_ISSET(s, &writable))
            bConnected = TRUE;
        else if (n > 0)
        {
            int nError = 0, nLength = sizeof(nError);
            getsockopt(s, SOL_SOCKET, SO_ERROR, (char*)&nError, &nLength);
            WSASetLastError(nError ? nError : WSAECONNREFUSED);
        }
        else if (n == 0)
            WSASetLastError(WSAETIMEDOUT);
    }
    return bConnected;
}

__time64_t FileTimeToTime(const FILETIME& ft)
{
    ULARGE_INTEGER li;
    li.LowPart = ft.dwLowDateTime;
    li.HighPart = ft.dwHighDateTime;
    return (__time64_t)((li.QuadPart - 116444736000000000ULL) / 10000000ULL);
}
} // namespace

int CEventLogMonitorChanges::ForwardNextRecord(int nLog, const CStringArray& arrTargets, std::vector<BOOL>& targetFlags)
{
    CMonitoredLog& log = m_logs[(size_t)nLog];
    CEventLogSource& source = EventLogSource();
    DWORD dwNext = log.m_dwLastRecord + 1;
    TraceLog().Trace(9, L"Sending over %s record %u", log.m_strLogName.GetString(), (unsigned)dwNext);
    HANDLE hLog = source.Open(log.m_strLogName);
    if (!hLog)
    {
        TraceLog().Trace(9, L"  Can't open %s", log.m_strLogName.GetString());
        TraceLog().Trace(9, L"");
        return 0;
    }
    // The count serves the trace line only: the read of an empty log fails as well, and each
    // count is a call to the event-log service (a round trip to the Wine server here).
    if (TraceLog().Traces(9))
    {
        DWORD dwCount = 0;
        BOOL bCount = source.GetCount(hLog, &dwCount);
        TraceLog().Trace(9, L"  # records %d", (int)dwCount);
        if (!bCount || !dwCount)
        {
            TraceLog().Trace(9, L"");
            source.Close(hLog);
            return 0;
        }
    }
    CEventRecord record;
    BOOL bRead = ReadRecord(hLog, TRUE, dwNext, FALSE, record);
    if (!bRead && ResynchroniseLog(log, hLog, dwNext))
    {
        dwNext = log.m_dwLastRecord + 1;
        bRead = ReadRecord(hLog, TRUE, dwNext, FALSE, record);
    }
    source.Close(hLog);
    if (!bRead)
        return 0;
    log.m_lastRecord = record;
    log.m_dwLastRecord = dwNext;

    TraceLog().Trace(9, L"Got record.");
    TraceLog().Trace(9, L"  Record %d generated %s written %s", (int)record.Number(),
                     CAgentTime(record.Fixed().TimeGenerated).Full().GetString(),
                     CAgentTime(record.Fixed().TimeWritten).Full().GetString());
    CString strAccount = CEventRecordText::GetAccountName(record);
    CString strCategory, strMessage, strText;
    CEventRecordText::GetRecordCategory(log.m_strLogName, record, strCategory);
    CEventRecordText::GetRecordMessage(log.m_strLogName, record, strMessage);
    CEventRecordText::BuildMessageText(record, log.m_strLogName, strCategory, strAccount, strMessage, CString(), strText);
    TraceLog().Trace(9, L"Record: %d bytes\n", strText.GetLength());

    m_counters.CountRecord(m_pClock->Now());

    SendToTargets(strText, arrTargets, targetFlags);
    return 1;
}

// Host before the first colon, port after it; no colon (or one in front) means all host and
// the default port. FALSE when the port is not a number from 1 to 65535 (nPort is then 0).
BOOL CEventLogMonitorChanges::SplitTarget(const CString& strTarget, CString& strHost, int& nPort)
{
    int nColon = strTarget.Find(L':');
    if (nColon <= 0)
    {
        strHost = strTarget;
        nPort = DEFAULT_TARGET_PORT;
        return TRUE;
    }
    strHost = strTarget.Left(nColon);
    nPort = CHostAddress::ParsePort(strTarget.Mid(nColon + 1));
    return nPort != 0;
}

void CEventLogMonitorChanges::SendToTargets(const CString& strMessage, const CStringArray& arrTargets,
                                            std::vector<BOOL>& targetFlags)
{
    for (int i = 0; i < arrTargets.GetSize(); i++)
    {
        CString strHost, strResult;
        int nPort = 0;
        BOOL bPortValid = SplitTarget(arrTargets[i], strHost, nPort);
        if (!bPortValid)
        {
            // No port but the one written: nothing is sent to the target, nor kept for it.
            TraceLog().WriteLine(L"Invalid port in target %s - not sent", arrTargets[i].GetString());
            targetFlags[(size_t)i] = FALSE;
            continue;
        }
        if (targetFlags[(size_t)i] && !SendToTarget(strHost, nPort, strMessage, strResult))
            targetFlags[(size_t)i] = FALSE;
        if (targetFlags[(size_t)i])
        {
            std::map<CString, __time64_t>::iterator it = m_lastRetry.find(strHost);
            __time64_t timeLast = it == m_lastRetry.end() ? FirstCheckTime() : it->second;
            if (m_bCachePending && m_pClock->Now() - timeLast >= RETRY_INTERVAL_S)
            {
                m_lastRetry[strHost] = m_pClock->Now();
                RetryCachedFiles(strHost);
            }
        }
        else
        {
            WriteCacheFile(strHost, nPort, strMessage, strResult);
            m_bCachePending = TRUE;
        }
        TraceLog().Trace(9, L"Sending to %s:%u %s", strHost.GetString(), (unsigned)nPort, strResult.GetString());
    }
}

int CEventLogMonitorChanges::SendToTarget(const CString& strHost, int nPort, const CString& strText, CString& strResult)
{
    strResult.Empty();
    if (!CHostAddress::IsValidPort(nPort))
    {
        strResult.Format(L"Invalid port %d for %s", nPort, strHost.GetString());
        return 0;
    }
    CHostAddress host;
    if (!host.Resolve(strHost))
    {
        strResult.Format(L"Error getting host info for %s - %s", strHost.GetString(), (const wchar_t*)CSystemErrorText());
        return 0;
    }
    sockaddr_in address = host.SocketAddress(nPort);
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET)
    {
        strResult.Format(L"Error creating socket - %s", (const wchar_t*)CSystemErrorText());
        return 0;
    }
    if (!ConnectBounded(s, address, m_dwSocketTimeout))
    {
        CSystemErrorText error;
        strResult.Format(L"Error connecting to %s port %d - %s", strHost.GetString(), nPort, (const wchar_t*)error);
        closesocket(s);
        return 0;
    }
    CFramedMessage message;
    message.BuildText(PUSH_TYPE, 0, strText, PUSH_KEY_NUMBER);
    CDeadlineSocketCalls calls(m_dwSocketTimeout);
    CFramedMessage::ESendResult eResult = message.Send(s, FALSE, calls);
    if (eResult == CFramedMessage::eCallFailed)
        strResult.Format(L"Error sending %u bytes to socket %u", (unsigned)message.m_nFailedCallBytes, (unsigned)s);
    else if (eResult == CFramedMessage::eSent)
        strResult.Format(L"Sent %d bytes to %s:%d", (int)message.GetLength(), strHost.GetString(), nPort);
    TraceLog().Trace(9, L"Sent %d of %d bytes", (int)message.m_nBytesSent, (int)message.GetLength());
    if (eResult == CFramedMessage::eCallsUsedUp)
        strResult.Format(L"Failed to send %u bytes to socket %u: %s", (unsigned)message.GetLength(), (unsigned)s,
                         (const wchar_t*)CSocketErrorText(message.m_nLastSocketError));
    closesocket(s);
    return eResult == CFramedMessage::eSent ? 1 : 0;
}

void CEventLogMonitorChanges::WriteCacheFile(const CString& strHost, int nPort, const CString& strMessage,
                                             const CString& strResult)
{
    CString strPath, strError;
    BOOL bReserved = CMessageCache::ReserveFile(GetCacheFolder(), strPath, strError);
    TraceLog().WriteLine(L"Error sending to %s:%u - %s", strHost.GetString(), (unsigned)nPort, strResult.GetString());
    TraceLog().WriteLine(L"Saving data to %s", strPath.GetString());
    if (!bReserved ||
        !CMessageCache::SaveMessage(strPath, strHost, (UINT)nPort, strMessage, L"EventLogForward.cpp", __LINE__, strError))
        TraceLog().WriteLine(L"Error saving data to %s - %s", strPath.GetString(), strError.GetString());
}

// Sends the cached messages of one host again, oldest first, after a push to it succeeded.
// The round ends at the first file that fails: the host has gone away again.
void CEventLogMonitorChanges::RetryCachedFiles(const CString& strHost)
{
    CStringArray arrPaths;
    ListCacheFiles(arrPaths, nullptr);
    BOOL bHostFailed = FALSE;
    for (int i = 0; i < arrPaths.GetSize(); i++)
    {
        const CString& strPath = arrPaths[i];
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(strPath, GetFileExInfoStandard, &data))
            continue;
        __time64_t nAge = m_pClock->Now() - FileTimeToTime(data.ftCreationTime);
        if (nAge < 0)
            nAge = 0;
        int nDays = (int)(nAge / 86400);
        TraceLog().Trace(9, L"File age %02d:%02d:%02d - %s", nDays, (int)(nAge % 86400 / 3600), (int)(nAge % 3600 / 60),
                         strPath.GetString());
        if (nDays > m_nMaxCacheAgeDays)
        {
            if (DeleteCacheFile(strPath))
                TraceLog().WriteLine(L"Expired cache file removed ..: %s", strPath.GetString());
            continue;
        }
        if (bHostFailed)
        {
            m_bCachePending = TRUE;
            continue;
        }
        TraceLog().Trace(9, L"%s", strPath.GetString());
        CString strStoredHost, strMessage;
        UINT nStoredPort = 0;
        BOOL bLoaded = CMessageCache::ReadMessage(strPath, strStoredHost, strMessage, nStoredPort);
        if (!bLoaded || strStoredHost != strHost)
        {
            m_bCachePending = TRUE;
            continue;
        }
        CString strResult;
        if (SendToTarget(strStoredHost, (int)nStoredPort, strMessage, strResult))
        {
            TraceLog().Trace(9, L"Uploaded: %s", strPath.GetString());
            if (!DeleteCacheFile(strPath))
                m_bCachePending = TRUE;
        }
        else
        {
            TraceLog().Trace(9, L"Failed: %s -", strPath.GetString());
            TraceLog().Trace(9, L"        %s", strResult.GetString());
            m_bCachePending = TRUE;
            bHostFailed = TRUE;
        }
    }
}

const CString& CEventLogMonitorChanges::GetCacheFolder()
{
    if (m_strCacheFolder.IsEmpty())
    {
        CConfigFile config;
        config.Load();
        CString strValue = config.GetValue(L"CACHE_FOLDER", L"");
        TraceLog().Trace(9, L"Cache folder not defined -");
        TraceLog().Trace(9, L"Config value ..: %s", strValue.GetString());
        if (!strValue.IsEmpty())
        {
            if (_waccess(strValue, 6) != 0)
                CreateDirectoryW(strValue, nullptr);
            if (_waccess(strValue, 6) == 0)
            {
                m_strCacheFolder = strValue;
                if (m_strCacheFolder.Right(1) != L"\\")
                    m_strCacheFolder += L'\\';
                TraceLog().Trace(9, L"Using value ...: %s", m_strCacheFolder.GetString());
            }
        }
    }
    if (m_strCacheFolder.IsEmpty())
    {
        CString strBase = GetAppPaths().GetProgramFolder();
        strBase.TrimRight(L'\\');
        CString strFolder = strBase + L"\\CachedData";
        CreateDirectoryW(strFolder, nullptr);
        wchar_t szCurrent[MAX_PATH + 1] = {0};
        GetCurrentDirectoryW(MAX_PATH, szCurrent);
        if (SetCurrentDirectoryW(strFolder))
        {
            SetCurrentDirectoryW(szCurrent);
            m_strCacheFolder = strFolder;
        }
        else
            m_strCacheFolder = strBase;
        m_strCacheFolder += L'\\';
        TraceLog().Trace(9, L"Cache folder ..: %s", m_strCacheFolder.GetString());
    }
    return m_strCacheFolder;
}
