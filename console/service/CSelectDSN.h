// "Select DSN": the data source of the alarm database, the default one or any of the machine's,
// and through "Advanced..." the additional connection parameters of each.
#pragma once

#include "alarmmodel/database/DsnParameterStore.h"
#include "framework/window/CDialog.h"
#include "wincomponents/lists/CDataComboBox.h"

// The data source that the "Default" choice names.
extern const wchar_t* const g_pszDefaultDsn;

class CSelectDSN : public CDialog
{
public:
    CSelectDSN(CWnd* pParentWnd, const wchar_t* pszCurrentDsn);

    // The data source chosen: the default one or the combo box's text.
    CString ChosenDsn() const;
    // TRUE when OK saved changed connection parameters to the registry.
    BOOL ParametersSaved() const { return m_bParametersSaved; }

    CString m_strDSN;
    int m_nDsnChoice;
    CDataComboBox m_comboDsn;
    CDsnParameterStore m_store;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnAdvanced();
    // Applies the dialog's changes to the parameters as they are stored now and saves them; says
    // so when they cannot be saved, and the dialog stays open. Stored parameters that cannot be
    // read are never written over: the dialog says so and ends.
    BOOL SaveParameters();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bParametersSaved;
    CDsnParameterStore m_storeLoaded; // m_store as the dialog loaded it, to tell its changes
};
