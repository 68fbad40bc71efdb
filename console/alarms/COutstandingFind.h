// The "Find" dialog of the outstanding-alarms view: a text looked for in one column or in all,
// selecting the first match, every match or none. The view does the search; the caption tells
// how many rows matched. Its last column, text and mode come back from the profile.
#pragma once

#include "framework/core/CStringArray.h"
#include "framework/core/CUIntArray.h"
#include "framework/window/CDialog.h"
#include "wincomponents/lists/CDataComboBox.h"

class COutstandingFind : public CDialog
{
public:
    COutstandingFind(CWnd* pView, const CStringArray& arrNames, const CUIntArray& arrIds);

    CDataComboBox m_combo;
    CString m_strValue;
    int m_nOption;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnValueChanged();
    void OnFindNow();
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pView;
    // Filling the controls changes the text too: until then the controls are no input.
    BOOL m_bInitialised;
    CStringArray m_arrNames;
    CUIntArray m_arrIds;
};
