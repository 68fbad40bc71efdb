#include "GuiTest.h"

#include "console/definitions/CAlarmActionsDlg.h"
#include "resources/console/DefinitionsRes.h"

TEST_F(GuiTest, AlarmActionsDialogShowsOnlyTheLastRunsReport)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    // Without a mail server set up the runner reports the missing setting.
    definition.m_arrActions.Add(L"0:operator@example.com");
    CStringArray arrNames;
    arrNames.Add(L"Agent Name");
    CStringArray arrValues;
    arrValues.Add(L"Local");
    CAlarmActionsDlg dialog(&Host(), definition, L"Belvane", L"1700000000", arrNames, arrValues);
    ASSERT_TRUE(dialog.Create(IDD_ALARM_ACTIONS, &Host()));
    EXPECT_EQ(0, dialog.GetReportLines().GetSize());
    EXPECT_TRUE(IsEnabled(&dialog, IDC_ALARM_ACTIONS_OPTIONS));

    Click(&dialog, IDC_ALARM_ACTIONS_START);
    int nLines = dialog.GetReportLines().GetSize();
    ASSERT_GT(nLines, 0);
    Click(&dialog, IDC_ALARM_ACTIONS_START);
    ASSERT_EQ(nLines, dialog.GetReportLines().GetSize());
    CString strShown = GetText(&dialog, IDC_ALARM_ACTIONS_REPORT);
    EXPECT_EQ(nLines - 1, strShown.Replace(L"\r\n", L"\n"));
    EXPECT_NE(-1, strShown.Find(dialog.GetReportLines()[0]));
    dialog.DestroyWindow();
}
