// The agent's settings file beside its executable ("<exe without extension>.cfg"): lines
// "TOKEN = value", tokens without regard to case, later lines overriding earlier ones.
#pragma once

#include "framework/core/CString.h"

#include <map>

class CConfigFile
{
public:
    enum
    {
        nDefaultCommandPort = 7257,
    };

    CConfigFile();
    explicit CConfigFile(const wchar_t* pszPath);

    // 1 when the file was read, 0 otherwise (the defaults then stay in force).
    int Load();
    CString GetValue(const wchar_t* pszToken, const wchar_t* pszDefault) const;
    // COMMAND_PORT, or the default port (with a trace line) when it is not a port number.
    USHORT GetCommandPort() const;
    const CString& GetPath() const { return m_strPath; }

    // The path for an executable path: cut before its last ".", ".cfg" appended; empty when
    // the path has no ".".
    static CString PathForModule(const wchar_t* pszModulePath);
    // The decimal number at the start of the text after blanks; FALSE when there are no digits.
    // Numbers too large for 32 bits give 0xFFFFFFFF.
    static BOOL ParseDecimal(const wchar_t* pszText, DWORD& dwValue);

private:
    void ParseLine(const CString& strLine);

    CString m_strPath;
    std::map<CString, CString> m_values;
};
