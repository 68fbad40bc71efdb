// Where the running program, its scratch files and its data live. Each folder is looked up
// once and cached; an answer that came out empty is looked up again next time.
#pragma once

#include "framework/core/CString.h"

class CAppPaths
{
public:
    CAppPaths();
    CAppPaths(const CAppPaths&) = delete;
    CAppPaths& operator=(const CAppPaths&) = delete;
    virtual ~CAppPaths() {}

    // With a trailing backslash. In a DLL these are the host program's.
    const CString& GetProgramFolder();
    const CString& GetModulePath();
    // With a trailing backslash.
    const CString& GetSystemFolder();
    // TEMP in its short form.
    const CString& GetTempFolder();
    // Short TEMP followed by "\Tervok"; created on every call.
    const CString& GetWorkFolder();
    const CString& GetDocumentsFolder();
    const CString& GetUserAppDataFolder();
    const CString& GetCommonAppDataFolder();

    // Make <application data>\<company>\<product>\ and enter the deepest part of it that
    // could be made the current directory.
    BOOL MakeCommonDataFolder();
    BOOL MakeUserDataFolder();
    const CString& GetCommonDataFolder() const { return m_strCommonDataFolder; }
    const CString& GetUserDataFolder() const { return m_strUserDataFolder; }

private:
    // Serialises the filling of the cache: the agent's threads ask at the same time.
    class CLock
    {
    public:
        explicit CLock(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
        ~CLock() { ReleaseSRWLockExclusive(&m_lock); }

    private:
        SRWLOCK& m_lock;
    };

    const CString& GetSpecialFolder(int nFolder, CString& strMember);
    void MakeDataFolder(const CString& strBase, CString& strMember);

    SRWLOCK m_lock;
    CString m_strProgramFolder;
    CString m_strModulePath;
    CString m_strSystemFolder;
    CString m_strTempFolder;
    CString m_strWorkFolder;
    CString m_strDocumentsFolder;
    CString m_strUserAppDataFolder;
    CString m_strCommonAppDataFolder;
    CString m_strCommonDataFolder;
    CString m_strUserDataFolder;
};

// The program's paths.
CAppPaths& GetAppPaths();
