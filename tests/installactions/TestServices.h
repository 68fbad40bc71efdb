// Services made for one test from the fake service program, removed again when the test ends
// whatever state they are in.
#pragma once

#include "framework/core/CString.h"

// Unique per test process, so that tests running side by side never share a service.
CString UniqueServiceName(const wchar_t* pszTag);
// The command line of the fake service program in the given mode.
CString FakeServiceCommand(const wchar_t* pszMode);
CStringA Narrow(const CString& str);

class CTestService
{
public:
    // A service of the same name left behind by an earlier process is removed first.
    explicit CTestService(const wchar_t* pszTag) : m_strName(UniqueServiceName(pszTag)) { Remove(); }
    ~CTestService() { Remove(); }

    BOOL Create(const wchar_t* pszMode);
    DWORD State() const;
    DWORD RegistryDword(const wchar_t* pszValue) const;
    CString RegistryString(const wchar_t* pszValue) const;
    void Remove();

    CString m_strName;
};
