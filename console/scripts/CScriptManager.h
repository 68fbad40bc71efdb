// Lists the stored scripts and adds, copies, modifies and deletes them through the Define
// Script dialog. The scripts file is written only by OK; Cancel loses every change.
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

    std::unique_ptr<CFont> m_pFont;
};
