// The definitions window's view: one report list of every alarm definition and the commands
// that edit them. The view owns the console's collection of definitions, loaded from the
// definitions file when the view is made; every confirmed change rewrites that file at once,
// and a failed write is shown to the operator.
#pragma once

#include "alarmmodel/AlarmDefinitionList.h"
#include "wincomponents/CImageListHolder.h"
#include "wincomponents/CResizableFormView.h"
#include "wincomponents/CSortListCtrl.h"

class CBelvaneView : public CResizableFormView
{
    DECLARE_DYNCREATE(CBelvaneView)
public:
    CBelvaneView();
    ~CBelvaneView() override;

    CAlarmDefinitionList& GetDefinitions() { return m_definitions; }
    CSortListCtrl& GetList() { return m_list; }
    // Rebuilds every row, sorted by class; nSelect is the definition to select, -1 none.
    void FillList(int nSelect);
    // Adds one test alarm for the definition with the record's fields, after running its
    // actions in the Alarm Actions dialog.
    void TriggerDefinitionAlarm(const CAlarmDefinition& definition, const CStringArray& arrFieldNames,
                                const CStringArray& arrFieldValues);
    // The record that Trigger Selected sends: "Agent Name" = "Local", then every field of the
    // definition's trigger source = "Test".
    static void BuildTriggerRecord(const CAlarmDefinition& definition, CStringArray& arrNames, CStringArray& arrValues);

    void OnInitialUpdate() override;

    // The commands, public for the tests that drive them.
    void OnAdd();
    void OnCopy();
    void OnModify();
    void OnDelete();
    void OnActivate();
    void OnDeactivate();
    void OnSaveToFile();
    void OnLoadFromFile();
    void OnTestSelected();
    void OnTestAll();
    void OnTriggerSelected();
    // Loading a file that holds no whole definition is refused; FALSE then.
    BOOL LoadFromFile(const wchar_t* pszPath);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnUpdateOneSelected(CCmdUI* pCmdUI);
    void OnUpdateAnySelected(CCmdUI* pCmdUI);
    void OnUpdateTestAll(CCmdUI* pCmdUI);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // Opens the sheet on a copy of the definition (null: a new one); TRUE after OK.
    BOOL EditDefinition(const wchar_t* pszCaption, const CAlarmDefinition* pDefinition, CAlarmDefinition& result);
    // Writes the definitions file; a failure is shown. FALSE then.
    BOOL SaveDefinitions();
    void SetActiveFlag(BOOL bActive);
    // The definition of the first selected row; null without a selection.
    CAlarmDefinition* GetSelectedDefinition() const;
    int GetSelectedCount() const;

    CSortListCtrl m_list;
    CAlarmDefinitionList m_definitions;
    CImageListHolder m_images;
    CString m_strFilePath;
};
