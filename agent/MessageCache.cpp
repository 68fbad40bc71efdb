#include "agent/MessageCache.h"

#include "agent/AgentTime.h"
#include "agent/HostAddress.h"
#include "agent/TraceLog.h"
#include "agent/XMLMgr.h"
#include "framework/core/CException.h"
#include "support/SystemErrorText.h"

#include <exception>

namespace
{
const wchar_t s_szFilePrefix[] = L"AgentNotSent";
const int MAX_NAME_ATTEMPTS = 1000;
const UINT MAX_EXCEPTION_TEXT = 512;

volatile LONG s_nSequence = -1;

CString ErrorText(DWORD dwError)
{
    return CSystemErrorText(dwError, nullptr, nullptr, nullptr, nullptr, nullptr).m_strText;
}

BOOL WriteDocument(const wchar_t* pszPath, const wchar_t* pszHost, UINT nPort, const wchar_t* pszMessage,
                   const wchar_t* pszSourceFile, int nLine, CString& strError)
{
    CXMLMgr xml;
    HRESULT hr = xml.Create(pszPath, pszSourceFile, nLine);
    if (SUCCEEDED(hr))
        hr = xml.AddRoot(L"HRD", L"", TRUE);
    IXMLDOMElement* pRoot = xml.GetCurrentElement();
    if (SUCCEEDED(hr))
        hr = xml.SetAttribute(pRoot, L"Description", L"Quorvex Windows Agent");
    if (SUCCEEDED(hr))
        hr = xml.SetAttribute(pRoot, L"Created", CAgentTime::Now().FileStamp());
    IXMLDOMElement* pMessage = SUCCEEDED(hr) ? xml.AddElement(nullptr, L"EventLogMessage", L"") : nullptr;
    if (SUCCEEDED(hr) && !pMessage)
        hr = E_FAIL;
    if (SUCCEEDED(hr))
        hr = xml.SetAttribute(pMessage, L"Host", pszHost);
    if (SUCCEEDED(hr))
        hr = xml.SetAttribute(pMessage, L"Message", pszMessage);
    if (SUCCEEDED(hr))
        hr = xml.SetAttributeNumber(pMessage, L"Port", nPort);
    if (SUCCEEDED(hr))
        hr = xml.Save(pszPath);
    if (FAILED(hr))
        strError = ErrorText((DWORD)hr);
    return SUCCEEDED(hr);
}
} // namespace

CString CMessageCache::MakeFileName(const wchar_t* pszFolder)
{
    CString strName;
    strName.Format(L"%s%s-%s-%05d.xml", pszFolder, s_szFilePrefix, CAgentTime::Now().FileStamp().GetString(),
                   (int)InterlockedIncrement(&s_nSequence));
    return strName;
}

CString CMessageCache::FilePattern(const wchar_t* pszFolder)
{
    CString strPattern;
    strPattern.Format(L"%s%s-*.xml", pszFolder, s_szFilePrefix);
    return strPattern;
}

BOOL CMessageCache::ReserveFile(const wchar_t* pszFolder, CString& strPath, CString& strError)
{
    DWORD dwError = ERROR_FILE_EXISTS;
    for (int nAttempt = 0; nAttempt < MAX_NAME_ATTEMPTS && dwError == ERROR_FILE_EXISTS; nAttempt++)
    {
        strPath = MakeFileName(pszFolder);
        HANDLE hFile = CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile != INVALID_HANDLE_VALUE)
        {
            CloseHandle(hFile);
            return TRUE;
        }
        dwError = GetLastError() == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : GetLastError();
    }
    strError = ErrorText(dwError);
    return FALSE;
}

BOOL CMessageCache::SaveMessage(const wchar_t* pszPath, const wchar_t* pszHost, UINT nPort, const wchar_t* pszMessage,
                                const wchar_t* pszSourceFile, int nLine, CString& strError)
{
    strError.Empty();
    BOOL bSaved = FALSE;
    try
    {
        bSaved = WriteDocument(pszPath, pszHost, nPort, pszMessage, pszSourceFile, nLine, strError);
    }
    catch (CException* e)
    {
        wchar_t szText[MAX_EXCEPTION_TEXT] = L"";
        e->GetErrorMessage(szText, MAX_EXCEPTION_TEXT);
        strError = szText;
        e->Delete();
    }
    catch (const std::exception& e)
    {
        strError = CString(e.what());
    }
    if (!bSaved)
        DeleteFileW(pszPath); // an empty or partial file would never load
    return bSaved;
}

BOOL CMessageCache::ReadMessage(const wchar_t* pszPath, CString& strHost, CString& strMessage, UINT& nPort)
{
    strHost.Empty();
    strMessage.Empty();
    nPort = 0;
    CXMLMgr xml;
    xml.Initialise(FALSE);
    IXMLDOMElement* pMessage = nullptr;
    if (xml.Load(pszPath) && xml.GetNodeName(xml.GetCurrentElement()) == L"HRD")
        pMessage = xml.FindChild(xml.GetCurrentElement(), L"EventLogMessage", FALSE);
    DWORD dwPort = 0;
    if (!pMessage || !xml.GetAttribute(pMessage, L"Host", strHost) || !xml.GetAttribute(pMessage, L"Message", strMessage) ||
        !xml.GetAttributeNumber(pMessage, L"Port", dwPort) || !CHostAddress::IsValidPort((int)dwPort))
    {
        TraceLog().WriteLine(L"Cache file not readable ..: %s", pszPath);
        return FALSE;
    }
    nPort = (UINT)dwPort;
    return TRUE;
}
