#include "agent/MessageCache.h"

#include "agent/TraceLog.h"
#include "agent/XMLMgr.h"
#include "framework/core/CException.h"
#include "framework/core/CTime.h"

namespace
{
const wchar_t s_szFilePrefix[] = L"AgentNotSent";
const wchar_t s_szTimeFormat[] = L"%Y-%m-%d %H%M%S";

volatile LONG s_nSequence = -1;
} // namespace

CString CMessageCache::MakeFileName(const wchar_t* pszFolder)
{
    CString strName;
    strName.Format(L"%s%s-%s-%05d.xml", pszFolder, s_szFilePrefix,
                   CTime::GetCurrentTime().Format(s_szTimeFormat).GetString(), (int)InterlockedIncrement(&s_nSequence));
    return strName;
}

CString CMessageCache::FilePattern(const wchar_t* pszFolder)
{
    CString strPattern;
    strPattern.Format(L"%s%s-*.xml", pszFolder, s_szFilePrefix);
    return strPattern;
}

BOOL CMessageCache::SaveMessage(const wchar_t* pszPath, const wchar_t* pszHost, UINT nPort, const wchar_t* pszMessage,
                                const wchar_t* pszSourceFile, int nLine)
{
    try
    {
        CXMLMgr xml;
        xml.Create(pszPath, pszSourceFile, nLine);
        if (!xml.IsInitialised())
            return FALSE;
        xml.AddRoot(L"HRD", L"", TRUE);
        IXMLDOMElement* pRoot = xml.GetCurrentElement();
        xml.SetAttribute(pRoot, L"Description", L"Quorvex Windows Agent");
        xml.SetAttribute(pRoot, L"Created", CTime::GetCurrentTime().Format(s_szTimeFormat));
        IXMLDOMElement* pMessage = xml.AddElement(nullptr, L"EventLogMessage", L"");
        xml.SetAttribute(pMessage, L"Host", pszHost);
        xml.SetAttribute(pMessage, L"Message", pszMessage);
        xml.SetAttributeNumber(pMessage, L"Port", nPort);
        return SUCCEEDED(xml.Save(pszPath));
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
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
        !xml.GetAttributeNumber(pMessage, L"Port", dwPort))
    {
        TraceLog().WriteLine(L"Cache file not readable ..: %s", pszPath);
        return FALSE;
    }
    nPort = (UINT)dwPort;
    return TRUE;
}
