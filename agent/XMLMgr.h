// A thin owner of one XML DOM document (MSXML through COM) for the agent's cache files.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include "framework/core/CStringArray.h"

#include <vector>

class CXMLMgr
{
public:
    CXMLMgr();
    ~CXMLMgr();
    CXMLMgr(const CXMLMgr&) = delete;
    CXMLMgr& operator=(const CXMLMgr&) = delete;

    // Creates the document; with bDeclaration it starts with <?xml version='1.0'?>.
    HRESULT Initialise(BOOL bDeclaration);
    // A new document with the warning header as comments; pszSourceFile may be null.
    HRESULT Create(const wchar_t* pszPath, const wchar_t* pszSourceFile, int nLine);
    BOOL IsInitialised() const { return m_bInitialised; }

    HRESULT AddRoot(const wchar_t* pszName, const wchar_t* pszText, BOOL bLanguage);
    // Under pParent, or under the current element when it is null; the element stays owned here.
    IXMLDOMElement* AddElement(IXMLDOMElement* pParent, const wchar_t* pszName, const wchar_t* pszText);
    // Characters that XML cannot hold are replaced with U+FFFD.
    HRESULT SetAttribute(IXMLDOMElement* pElement, const wchar_t* pszName, const wchar_t* pszText);
    HRESULT SetAttributeNumber(IXMLDOMElement* pElement, const wchar_t* pszName, DWORD dwNumber);
    HRESULT Save(const wchar_t* pszPath);
    int Load(const wchar_t* pszPath);

    IXMLDOMElement* GetCurrentElement() const { return m_pCurrent; }
    CString GetNodeName(IXMLDOMNode* pNode) const;
    // The first child element of that name, or null; the element stays owned here.
    IXMLDOMElement* FindChild(IXMLDOMNode* pParent, const wchar_t* pszName, BOOL bIgnoreCase);
    // "_-SPACE-_" in the value reads as a blank; an absent attribute fails with "".
    BOOL GetAttribute(IXMLDOMElement* pElement, const wchar_t* pszName, CString& strText) const;
    BOOL GetAttributeNumber(IXMLDOMElement* pElement, const wchar_t* pszName, DWORD& dwNumber) const;

    // The text with every character that XML 1.0 cannot carry replaced with U+FFFD.
    static CString XmlSafeText(const wchar_t* pszText);

private:
    void CollectHeader(const wchar_t* pszPath, const wchar_t* pszSourceFile, int nLine);
    HRESULT AppendHeaderComments();
    template <typename T>
    T* Own(T* pInterface)
    {
        if (pInterface)
            m_owned.push_back(pInterface);
        return pInterface;
    }

    HRESULT m_hrCom;
    IXMLDOMDocument* m_pDocument;
    IXMLDOMElement* m_pCurrent;
    CStringArray m_header;
    BOOL m_bInitialised;
    std::vector<IUnknown*> m_owned;
};
