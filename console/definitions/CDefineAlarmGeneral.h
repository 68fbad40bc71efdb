// The General page of the alarm-definition sheet: title, trigger source ("class"), active
// flag, description and the record's times. Every edit of the title or the description tells
// the sheet (nMsgChange), which re-checks its OK button.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "framework/window/CPropertyPage.h"
#include "wincomponents/lists/CDataComboBox.h"

class CDefineAlarmCriteria;

class CDefineAlarmGeneral : public CPropertyPage
{
public:
    CDefineAlarmGeneral();

    void SetDefinition(const CAlarmDefinition& definition);
    void SetTimes(const CString& strCreated, const CString& strModified);
    BOOL GetActive();
    // Without trailing white space.
    CString GetTitle();
    CString GetDescription();
    UINT GetClass() const { return m_comboClass.GetSelData(); }

    // The page whose rows "Add Criteria" describes.
    CDefineAlarmCriteria* m_pCriteriaPage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnTextChange();
    void OnClassChange();
    void OnAddCriteria();
    void OnLoadFromClipboard();
    DECLARE_MESSAGE_MAP()

private:
    void ShowClassNotes();

    CDataComboBox m_comboClass;
    CString m_strTitle;
    CString m_strDescription;
    CString m_strCreated;
    CString m_strModified;
    int m_nActive;
    CUIntArray m_arrSourceIds;
    CStringArray m_arrSourceNames;
    CStringArray m_arrSourceDescriptions;
};
