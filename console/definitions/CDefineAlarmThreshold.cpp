#include "console/definitions/CDefineAlarmThreshold.h"

#include "framework/window/CDataExchange.h"
#include "resources/console/DefinitionsRes.h"

BEGIN_MESSAGE_MAP(CDefineAlarmThreshold, CPropertyPage)
    ON_CONTROL(EN_CHANGE, IDC_THRESHOLD_COUNT, OnNumberChange)
    ON_CONTROL(EN_CHANGE, IDC_THRESHOLD_SECS, OnNumberChange)
    ON_CONTROL(EN_CHANGE, IDC_REPEAT_SECS, OnNumberChange)
END_MESSAGE_MAP()

CDefineAlarmThreshold::CDefineAlarmThreshold()
    : CPropertyPage(IDD_DEFINE_THRESHOLD), m_nThresholdChoice(0), m_nThresholdCount(0), m_nThresholdSecs(0),
      m_nRepeatChoice(0), m_nRepeatSecs(0), m_bInitialised(FALSE), m_bWriting(FALSE)
{
}

void CDefineAlarmThreshold::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_REPEAT_SECS_SPIN, m_spinRepeat);
    DDX_Control(pDX, IDC_THRESHOLD_SECS_SPIN, m_spinThresholdSecs);
    DDX_Control(pDX, IDC_THRESHOLD_COUNT_SPIN, m_spinThresholdCount);
    DDX_Radio(pDX, IDC_THRESHOLD_NONE, m_nThresholdChoice);
    DDX_Text(pDX, IDC_THRESHOLD_COUNT, m_nThresholdCount);
    DDV_MinMaxInt(pDX, m_nThresholdCount, 0, nMaxNumber);
    DDX_Text(pDX, IDC_THRESHOLD_SECS, m_nThresholdSecs);
    DDV_MinMaxInt(pDX, m_nThresholdSecs, 0, nMaxNumber);
    DDX_Radio(pDX, IDC_REPEAT_EVERY_TIME, m_nRepeatChoice);
    DDX_Text(pDX, IDC_REPEAT_SECS, m_nRepeatSecs);
    DDV_MinMaxInt(pDX, m_nRepeatSecs, 0, nMaxNumber);
}

BOOL CDefineAlarmThreshold::OnInitDialog()
{
    m_bWriting = TRUE;
    CPropertyPage::OnInitDialog();
    for (CSpinButtonCtrl* pSpin : {&m_spinRepeat, &m_spinThresholdSecs, &m_spinThresholdCount})
        pSpin->SetRange32(0, nMaxNumber);
    m_bWriting = FALSE;
    m_bInitialised = TRUE;
    return TRUE;
}

void CDefineAlarmThreshold::WriteControls()
{
    m_bWriting = TRUE;
    UpdateData(FALSE);
    m_bWriting = FALSE;
}

void CDefineAlarmThreshold::SetThreshold(const CAlarmDefinition& definition)
{
    m_nThresholdCount = definition.m_nThresholdCount;
    m_nThresholdSecs = definition.m_nThresholdSecs;
    m_nRepeatSecs = definition.m_nRepeatSecs;
    m_nThresholdChoice = m_nThresholdCount != 0 ? 1 : 0;
    m_nRepeatChoice = m_nRepeatSecs != 0 ? 1 : 0;
    WriteControls();
}

int CDefineAlarmThreshold::GetThresholdCount()
{
    UpdateData(TRUE);
    return m_nThresholdChoice == 1 ? m_nThresholdCount : 0;
}

int CDefineAlarmThreshold::GetRepeatSecs()
{
    UpdateData(TRUE);
    return m_nRepeatChoice == 1 ? m_nRepeatSecs : 0;
}

void CDefineAlarmThreshold::OnNumberChange()
{
    if (!m_bInitialised || m_bWriting || !UpdateData(TRUE))
        return;
    int nRepeatChoice = m_nRepeatSecs != 0 ? 1 : 0;
    int nThresholdChoice = m_nThresholdCount != 0 ? 1 : 0;
    if (nRepeatChoice == m_nRepeatChoice && nThresholdChoice == m_nThresholdChoice)
        return;
    m_nRepeatChoice = nRepeatChoice;
    m_nThresholdChoice = nThresholdChoice;
    WriteControls();
}
