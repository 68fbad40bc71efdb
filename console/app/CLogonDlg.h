// The log-on box: a user name and password checked against the collector's user accounts file
// in the program folder. Each account line is the name, a TAB and the stored value: the
// password's hash text or the password itself. Lines beginning with "#" are comments.
#pragma once

#include "framework/core/CStringArray.h"
#include "framework/window/CDialog.h"

class CLogonDlg : public CDialog
{
public:
    explicit CLogonDlg(CWnd* pParent = nullptr);

    // Wiped as soon as it has been checked: empty after OK and after a refusal.
    CString m_strPassword;
    // After IDOK: the account name in the file's letter case.
    CString m_strUserName;
    // The accounts file, read anew at every OK.
    CString m_strAccountsFile;

    // The accounts file: the program folder and "TervokQuorvexUserAccounts.txt".
    static CString AccountsFilePath();
    // The process's Windows account as DOMAIN\user; empty when it cannot be read.
    static CString WindowsAccount();
    // Walks the account lines in order; on the first match strUserName takes the file's
    // letter case and the result is TRUE. Names are compared without regard to case.
    static BOOL FindAccount(const CStringArray& lines, CString& strUserName, const CString& strPassword);
    // The password's hash text; each character counts with the low byte of its code. The bytes
    // hashed are wiped.
    static CString HashText(const CString& strPassword);
    // TRUE when the stored value is a hash text: eight groups of four hexadecimal digits
    // joined by "-".
    static BOOL IsHashText(const CString& strValue);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnChangeField();
    DECLARE_MESSAGE_MAP()

private:
    void EnableOk();
    void ReportLogon();
    void RefuseLogon();
};
