// The definitions window's view: one report list of every alarm definition and the commands
// that edit them. The definitions are the document's, shared by every window on it; every
// confirmed change rewrites the definitions file at once and shows in the other windows, and a
// failed write is shown to the operator.
#pragma once

#include "console/definitions/CBelvaneDoc.h"
#include "wincomponents/pictures/CImageListHolder.h"
#include "wincomponents/printing/CListPrintout.h"
#include "wincomponents/layout/CResizableFormView.h"
#include "wincomponents/lists/CSortListCtrl.h"

class CBelvaneView : public CResizableFormView
{
    DECLARE_DYNCREATE(CBelvaneView)
public:
    CBelvaneView();
    ~CBelvaneView() override;

    CBelvaneDoc* GetDocument() const { return static_cast<CBelvaneDoc*>(m_pDocument); }
    CAlarmDefinitionList& GetDefinitions() const { return GetDocument()->GetDefinitions(); }
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
    // Another window changed the definitions: the rows are rebuilt, keeping the selection
    // while the indexes hold.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    // The print is the list's rows in their order, with the column titles on every page.
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    // The commands, public for the tests that drive them.
    void OnAdd();
    void OnCopy();
    void OnModify();
    void OnDelete();
    void OnActivate();
    void OnDeactivate();
    void OnSaveToFile();
    // File Save: writes the definitions file now, as every confirmed change does; after a
    // failed write it is how the operator tries again.
    void OnFileSave();
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
    // Writes the definitions file and updates the other windows (lHint: a DEFINITIONS_HINT_);
    // a failure is shown with its reason. FALSE then.
    BOOL SaveDefinitions(LPARAM lHint);
    // "The alarm definitions could not be written to <path>." and the system's reason.
    static CString NotWrittenText(const wchar_t* pszPath, DWORD dwError);
    void SetActiveFlag(BOOL bActive);
    // The definition of the first selected row; null without a selection.
    CAlarmDefinition* GetSelectedDefinition() const;
    int GetSelectedCount() const;
    // The collection indexes of the selected rows, appended.
    void GetSelectedIndexes(CUIntArray& arrIndexes) const;
    // Selects the rows of the definitions with these indexes.
    void SelectDefinitions(const CUIntArray& arrIndexes);

    CSortListCtrl m_list;
    CImageListHolder m_images;
    CListPrintout m_printout;
    CString m_strFilePath;
};
