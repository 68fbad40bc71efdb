// Lists the stored scripts and adds, copies, modifies and deletes them through the Define
// Script dialog. Only OK writes the scripts file: it puts the changes made here into the file as
// it is then, which another Script Manager (opened from this one) may have saved meanwhile.
// Cancel loses every change.
#pragma once

#include "alarmmodel/ScriptDefinitionMap.h"
#include "wincomponents/layout/CResizableToolDialog.h"
#include "wincomponents/lists/CSortListCtrl.h"

#include <memory>

class CFont;

class CScriptManager : public CResizableToolDialog
{
public:
    explicit CScriptManager(CWnd* pParentWnd);
    ~CScriptManager() override;

    CSortListCtrl m_list;
    CString m_strText;
    CScriptDefinitionMap m_scripts;
    // The file as this dialog read it: what differs from it in m_scripts was changed here.
    CScriptDefinitionMap m_loaded;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnAdd();
    void OnDelete();
    void OnCopy();
    void OnModify();
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void FillList();
    void ShowText();
    // Opens Define Script on the title and text; on OK stores the result (under strOldTitle's
    // place when given), refills the list and selects the result.
    void Define(const CString& strTitle, const CString& strText, const CString& strOldTitle);
    void Changed(const CString& strSelect);
    BOOL SaveChanges();
    // Shows why the file was not written; FALSE.
    BOOL ReportNotSaved(const CString& strWhy);
    BOOL KeepOwnChange(const CString& strTitle);

    std::unique_ptr<CFont> m_pFont;
};
