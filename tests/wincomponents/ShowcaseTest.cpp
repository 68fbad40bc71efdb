#include "GuiTest.h"

#include "WinComponentsTestsRes.h"
#include "framework/gdi/CBitmap.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CDialog.h"
#include "framework/gdi/CPaintDC.h"
#include "wincomponents/controls/CColorStatic.h"
#include "wincomponents/lists/CDataComboBox.h"
#include "wincomponents/controls/CFontFactory.h"
#include "wincomponents/pictures/CImageListHolder.h"
#include "wincomponents/controls/CInfoEdit.h"
#include "wincomponents/lists/CSortListCtrl.h"
#include "wincomponents/pictures/DrawTransparentBitmap.h"

#include <memory>

namespace
{
// The components together in one dialog, as the console's dialogs will use them.
class CShowcaseDialog : public CDialog
{
public:
    CShowcaseDialog() : CDialog(IDD_SHOWCASE) {}

    CDataComboBox m_comboKind;
    CInfoEdit m_editInfo;
    CColorStatic m_staticStatus;
    CColorStatic m_staticStopped;
    CSortListCtrl m_listAlarms;
    CImageListHolder m_images;
    CBitmap m_bmLogo;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_KIND_COMBO, m_comboKind);
        DDX_Control(pDX, IDC_INFO_EDIT, m_editInfo);
        DDX_Control(pDX, IDC_STATUS_STATIC, m_staticStatus);
        DDX_Control(pDX, IDC_DISABLED_STATIC, m_staticStopped);
        DDX_Control(pDX, IDC_ALARM_LIST, m_listAlarms);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CStringArray kinds;
        for (const wchar_t* psz : {L"Windows", L"Syslog", L"SNMP", L"All data", L"OpenVMS"})
            kinds.Add(psz);
        m_comboKind.AddItems(kinds);
        m_comboKind.SelectByData(1);

        m_editInfo.m_bUseColours = TRUE;
        m_editInfo.m_nMargin = 3;
        m_editInfo.SetWindowText(L"Info edit: tooltip colours and an inner margin.\r\nSort list below: sorted by Source.");
        m_editInfo.m_pFont = CFontFactory(this).CreateCourierFont(9, FALSE);
        m_editInfo.SetFont(m_editInfo.m_pFont);

        m_staticStatus.m_crBackground = RGB(0x30, 0xA0, 0x40);
        m_staticStatus.m_crText = RGB(255, 255, 255);
        m_staticStopped.m_crBackground = RGB(0xC0, 0xC0, 0xC0);
        m_staticStopped.m_crText = 0;

        m_images.AddBitmap(IDB_ONE);
        m_images.AddBitmap(IDB_TWO);
        m_images.AddBitmap(IDB_THREE);
        m_images.Create(0xFF00FF);
        m_listAlarms.SetExtendedStyle(LVS_EX_CHECKBOXES);
        m_listAlarms.SetImageList(m_images.GetImageList(), LVSIL_SMALL);
        m_listAlarms.SetFullRowSelect();
        const SORTLIST_COLUMN columns[] = {{L"Alarm", LVCFMT_LEFT}, {L"Source", LVCFMT_LEFT}, {L"Count", LVCFMT_RIGHT}};
        m_listAlarms.SetColumns(columns, 3);
        const wchar_t* rows[][3] = {{L"Disk full", L"Windows", L"12"},
                                    {L"Link down", L"SNMP", L"3"},
                                    {L"Logon failed", L"Windows", L"7"},
                                    {L"Queue stalled", L"OpenVMS", L"1"},
                                    {L"Service stopped", L"Syslog", L"2"}};
        for (int i = 0; i < 5; ++i)
        {
            int nItem = m_listAlarms.InsertItem(i, rows[i][0], 2 * (i % 3));
            m_listAlarms.SetItemText(nItem, 1, rows[i][1]);
            m_listAlarms.SetItemText(nItem, 2, rows[i][2]);
            m_listAlarms.SetCheck(nItem, i % 2 == 0);
        }
        m_listAlarms.m_bUseColours = TRUE;
        m_listAlarms.SortByColumn(1, TRUE);
        m_listAlarms.SelectByText(L"Link down", 0);
        m_listAlarms.AutoSizeColumns();
        m_bmLogo.LoadBitmap(IDB_LOGO);
        return TRUE;
    }

    void OnPaint()
    {
        CPaintDC dc(this);
        DrawTransparentBitmap(&dc, &m_bmLogo, 16, 300, RGB(255, 255, 255));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShowcaseDialog, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class ShowcaseTest : public GuiTest
{
};
} // namespace

TEST_F(ShowcaseTest, ComponentsWorkTogetherInOneDialog)
{
    CShowcaseDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_SHOWCASE, &Host()));
    dlg.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    PumpUntilIdle();

    EXPECT_STREQ(L"Syslog", dlg.m_comboKind.GetSelText());
    EXPECT_STREQ(L"OpenVMS,SNMP,Syslog,Windows,Windows", [&] {
        CString s;
        for (int i = 0; i < dlg.m_listAlarms.GetItemCount(); ++i)
            s += (i ? L"," : L"") + dlg.m_listAlarms.GetItemText(i, 1);
        return s;
    }());
    WindowPixels list = Capture(&dlg.m_listAlarms);
    EXPECT_GT(list.Count(CRect(0, 0, list.nWidth, list.nHeight), RGB(0xFF, 0xFF, 0xE1)), list.nWidth * 10);
    WindowPixels status = Capture(&dlg.m_staticStatus);
    EXPECT_EQ(RGB(0x30, 0xA0, 0x40), status.At(1, 1));
    WindowPixels whole = Capture(&dlg);
    EXPECT_GT(whole.Count(CRect(16, 300, 36, 312), RGB(0xC0, 0, 0)), 50);

    // The picture for people to look at.
    SaveScreenshot(L"wincomponents-showcase.png");
}
