#include "GuiTest.h"

#include "WindowTestsRes.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CDialog.h"
#include "framework/controls/CEdit.h"

#include <functional>
#include <vector>

namespace
{
const UINT WM_TEST_STEP = WM_APP + 40;

class CExchangeDialog : public CDialog
{
public:
    CExchangeDialog() : CDialog(IDD_EXCHANGE) {}

    CString m_strName;
    int m_nCount = 0;
    int m_nEnabled = 0;
    int m_nRadio = -1;
    int m_nKind = -1;
    int m_nChoice = -1;
    CEdit m_editNote;
    // Runs inside the modal loop, once the dialog is up.
    std::function<void(CExchangeDialog&)> m_fnStep;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDX_Check(pDX, IDC_ENABLED, m_nEnabled);
        DDX_Radio(pDX, IDC_RADIO_A, m_nRadio);
        DDX_CBIndex(pDX, IDC_KIND, m_nKind);
        DDX_LBIndex(pDX, IDC_CHOICES, m_nChoice);
        DDX_Control(pDX, IDC_NOTE, m_editNote);
    }
    BOOL OnInitDialog() override
    {
        for (const wchar_t* psz : {L"first", L"second", L"third"})
        {
            SendDlgItemMessageW(m_hWnd, IDC_KIND, CB_ADDSTRING, 0, (LPARAM)psz);
            SendDlgItemMessageW(m_hWnd, IDC_CHOICES, LB_ADDSTRING, 0, (LPARAM)psz);
        }
        CDialog::OnInitDialog();
        PostMessage(WM_TEST_STEP);
        return TRUE;
    }
    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (m_fnStep)
            m_fnStep(*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDialog, CDialog)
    ON_MESSAGE(WM_TEST_STEP, OnStep)
END_MESSAGE_MAP()

int Checked(CWnd& dlg, int nID)
{
    return (int)SendDlgItemMessageW(dlg.m_hWnd, nID, BM_GETCHECK, 0, 0);
}

class DataExchangeTest : public GuiTest
{
protected:
    void SetUp() override
    {
        m_previous = AfxSetMessageBoxFunction([this](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT nType) {
            m_boxes.push_back(CString(pszCaption) + L"|" + pszText);
            m_nLastBoxType = nType;
            return IDOK;
        });
    }
    void TearDown() override
    {
        AfxSetMessageBoxFunction(m_previous);
        GuiTest::TearDown();
    }

    AfxMessageBoxFunction m_previous;
    std::vector<CString> m_boxes;
    UINT m_nLastBoxType = 0;
};
} // namespace

TEST_F(DataExchangeTest, ValuesGoIntoTheControlsAndComeBackOnOK)
{
    CExchangeDialog dlg;
    dlg.m_strName = L"Alarm \u20AC";
    dlg.m_nCount = -12;
    dlg.m_nEnabled = 1;
    dlg.m_nRadio = 1;
    dlg.m_nKind = 2;
    dlg.m_nChoice = 0;
    CString strSeenName, strSeenCount;
    int nSeenRadioB = -1, nSeenKind = -1, nSeenChoice = -1, nSeenEnabled = -1;
    BOOL bNoteSubclassed = FALSE;
    dlg.m_fnStep = [&](CExchangeDialog& d) {
        strSeenName = d.GetDlgItemText(IDC_NAME);
        strSeenCount = d.GetDlgItemText(IDC_COUNT);
        nSeenEnabled = Checked(d, IDC_ENABLED);
        nSeenRadioB = Checked(d, IDC_RADIO_B);
        nSeenKind = (int)SendDlgItemMessageW(d.m_hWnd, IDC_KIND, CB_GETCURSEL, 0, 0);
        nSeenChoice = (int)SendDlgItemMessageW(d.m_hWnd, IDC_CHOICES, LB_GETCURSEL, 0, 0);
        bNoteSubclassed = CWnd::FromHandlePermanent(GetDlgItem(d.m_hWnd, IDC_NOTE)) == &d.m_editNote;

        SetText(&d, IDC_NAME, L"changed");
        SetText(&d, IDC_COUNT, L" 4711 ");
        SendDlgItemMessageW(d.m_hWnd, IDC_ENABLED, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageW(d.m_hWnd, IDC_RADIO_B, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageW(d.m_hWnd, IDC_RADIO_C, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageW(d.m_hWnd, IDC_KIND, CB_SETCURSEL, 0, 0);
        SendDlgItemMessageW(d.m_hWnd, IDC_CHOICES, LB_SETCURSEL, 2, 0);
        Click(&d, IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ(L"Alarm \u20AC", strSeenName);
    EXPECT_STREQ(L"-12", strSeenCount);
    EXPECT_EQ(1, nSeenEnabled);
    EXPECT_EQ(BST_CHECKED, nSeenRadioB);
    EXPECT_EQ(2, nSeenKind);
    EXPECT_EQ(0, nSeenChoice);
    EXPECT_TRUE(bNoteSubclassed);

    EXPECT_STREQ(L"changed", dlg.m_strName);
    EXPECT_EQ(4711, dlg.m_nCount);
    EXPECT_EQ(0, dlg.m_nEnabled);
    EXPECT_EQ(2, dlg.m_nRadio);
    EXPECT_EQ(0, dlg.m_nKind);
    EXPECT_EQ(2, dlg.m_nChoice);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_editNote.m_hWnd);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(DataExchangeTest, ABadNumberKeepsTheDialogOpenAndTheMemberUnchanged)
{
    CExchangeDialog dlg;
    dlg.m_nCount = 5;
    int nStep = 0;
    BOOL bStillOpen = FALSE;
    dlg.m_fnStep = [&](CExchangeDialog& d) {
        if (nStep++ == 0)
        {
            SetText(&d, IDC_COUNT, L"12abc");
            Click(&d, IDOK);
            bStillOpen = IsWindow(d.m_hWnd) && IsWindowVisible(d.m_hWnd);
            d.PostMessage(WM_TEST_STEP);
            return;
        }
        SetText(&d, IDC_COUNT, L"99999999999");
        Click(&d, IDOK);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(5, dlg.m_nCount);
    ASSERT_EQ(2u, m_boxes.size());
    EXPECT_STREQ(L"Belvane|Please enter an integer.", m_boxes[0]);
    EXPECT_EQ((UINT)MB_ICONEXCLAMATION, m_nLastBoxType);
}

TEST_F(DataExchangeTest, ModelessDialogLivesUntilItIsDestroyed)
{
    CExchangeDialog dlg;
    dlg.m_strName = L"modeless";
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE, &Host()));
    PumpUntilIdle();
    EXPECT_STREQ(L"modeless", dlg.GetDlgItemText(IDC_NAME));
    SetText(&dlg, IDC_NAME, L"edited");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ(L"edited", dlg.m_strName);
    HWND hDlg = dlg.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDlg));
}
