#include "GuiTest.h"

#include "ComboChoice.h"
#include "alarmmodel/AlarmVocabulary.h"
#include "console/definitions/CTestCriteriaDialog.h"
#include "resources/console/DefinitionsRes.h"

namespace
{
class CModelessTestDialog : public CTestCriteriaDialog
{
public:
    using CTestCriteriaDialog::CTestCriteriaDialog;
};

int Selected(CWnd* pDialog, int nID)
{
    return (int)::SendDlgItemMessageW(pDialog->m_hWnd, nID, CB_GETCURSEL, 0, 0);
}

class CriteriaTestDialogTest : public GuiTest
{
protected:
    CriteriaTestDialogTest()
    {
        m_definition.m_strTitle = L"Disk";
        m_definition.m_arrCriteria.Add(L"101:0:disk\x0C" L"full");
        m_definition.m_arrCriteria.Add(L"102:2:test\x0C" L"demo");
        m_definition.m_arrCriteria.Add(L"not a criterion");
    }

    CAlarmDefinition m_definition;
};
} // namespace

TEST_F(CriteriaTestDialogTest, OffersTheParsedCriteriaAndTestsWithTheRealMatcher)
{
    CModelessTestDialog dialog(&Host(), m_definition);
    ASSERT_TRUE(dialog.Create(IDD_TEST_CRITERIA, &Host()));
    // The empty entry and the two criteria that parse.
    EXPECT_EQ(3, (int)::SendDlgItemMessageW(dialog.m_hWnd, IDC_TEST_FIELD0, CB_GETCOUNT, 0, 0));
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_TEST_VALUE0));

    ChooseComboItem(&dialog, IDC_TEST_FIELD0, 1);
    EXPECT_TRUE(IsEnabled(&dialog, IDC_TEST_VALUE0));
    SetText(&dialog, IDC_TEST_VALUE0, L"the disk is FULL");
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    EXPECT_TRUE(IsEnabled(&dialog, IDC_TEST_DISPLAY0 + 1));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_TEST_DISPLAY0 + 2));

    // Operator 2 needs every alternative absent.
    ChooseComboItem(&dialog, IDC_TEST_FIELD0 + 1, 2);
    SetText(&dialog, IDC_TEST_VALUE0 + 1, L"a demo run");
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    SetText(&dialog, IDC_TEST_VALUE0 + 1, L"production");
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    ASSERT_EQ(2, dialog.m_arrFieldNames.GetSize());
    EXPECT_EQ(AlarmFieldColumnName(101), dialog.m_arrFieldNames[0]);
    EXPECT_EQ(CString(L"the disk is FULL"), dialog.m_arrFieldValues[0]);

    // The same criterion chosen in a second row empties the first.
    ChooseComboItem(&dialog, IDC_TEST_FIELD0 + 2, 1);
    EXPECT_EQ(0, Selected(&dialog, IDC_TEST_FIELD0));
    EXPECT_EQ(1, Selected(&dialog, IDC_TEST_FIELD0 + 2));
    dialog.DestroyWindow();
}
