#include "console/alarms/CAlarmsFilters.h"

#include "console/alarms/AlarmsListText.h"
#include "support/AppProfile.h"

namespace
{
const wchar_t* const kTextNames[CAlarmsFilters::kTextFilters] = {
    L"CAlarmsListView::m_strLoadFrom", L"CAlarmsListView::m_strLoadStatus", L"CAlarmsListView::m_strLoadTitle",
    L"CAlarmsListView::m_strLoadAssignedTo", L"CAlarmsListView::m_strLoadPriority"};
const wchar_t kAgeName[] = L"CAlarmsListView::m_strLoadAge";
const wchar_t kAgeTextName[] = L"CAlarmsListView::m_strLoadAgeText";
const wchar_t kAgeSecondsName[] = L"CAlarmsListView::m_nAgeSecs";
} // namespace

CAlarmsFilters::CAlarmsFilters()
{
    CAppProfile& profile = GetAppProfile();
    m_nAgeSecs = profile.GetInt(kAgeSecondsName, -1);
    m_strAge = profile.GetString(kAgeName, L"");
    m_strAgeText = profile.GetString(kAgeTextName, L"");
    for (int i = 0; i < kTextFilters; i++)
        m_strTexts[i] = profile.GetString(kTextNames[i], L"");
}

void CAlarmsFilters::SetAge(const wchar_t* pszAge, const wchar_t* pszAgeText, int nHours)
{
    m_strAge = pszAge;
    m_strAgeText = pszAgeText;
    m_nAgeSecs = nHours < 0 ? -1 : nHours * 3600;
    CAppProfile& profile = GetAppProfile();
    profile.WriteString(kAgeName, pszAge);
    profile.WriteString(kAgeTextName, pszAgeText);
    profile.WriteInt(kAgeSecondsName, m_nAgeSecs);
}

void CAlarmsFilters::SetText(TextFilter nFilter, const wchar_t* pszText)
{
    m_strTexts[nFilter] = pszText;
    GetAppProfile().WriteString(kTextNames[nFilter], pszText);
}

BOOL CAlarmsFilters::Clear()
{
    BOOL bCleared = FALSE;
    if (!m_strAge.IsEmpty() || !m_strAgeText.IsEmpty())
    {
        SetAge(L"", L"", -1);
        bCleared = TRUE;
    }
    for (int i = 0; i < kTextFilters; i++)
    {
        if (m_strTexts[i].IsEmpty())
            continue;
        SetText((TextFilter)i, L"");
        bCleared = TRUE;
    }
    return bCleared;
}

void CAlarmsFilters::ShowAllOpen(const wchar_t* pszFrom)
{
    m_strAge.Empty();
    m_strAgeText.Empty();
    m_nAgeSecs = -1;
    for (CString& strText : m_strTexts)
        strText.Empty();
    m_strTexts[kFrom] = pszFrom ? pszFrom : L"";
    m_strTexts[kStatus] = L"Open";
}

AlarmsFilterTexts CAlarmsFilters::TextsForLoad()
{
    if (!m_strAge.IsEmpty() && m_nAgeSecs > 0)
        m_strAge = CTime(AlarmsNow().GetTime() - m_nAgeSecs).Format(L"%Y-%m-%d %H:%M:%S");
    else if (!m_strAge.IsEmpty() && m_nAgeSecs == 0)
        m_strAge = AlarmsNow().Format(L"%Y-%m-%d 00:00:00");
    return AlarmsFilterTexts{m_strTexts[kStatus], m_strTexts[kFrom],     m_strTexts[kTitle],
                             m_strTexts[kAssignedTo], m_strTexts[kPriority], m_strAge};
}

CString CAlarmsFilters::TitleParts() const
{
    const struct
    {
        const wchar_t* pszLabel;
        const CString& strValue;
    } parts[] = {{L", Age: ", m_strAgeText},
                 {L", From: ", m_strTexts[kFrom]},
                 {L", Status: ", m_strTexts[kStatus]},
                 {L", Assigned To: ", m_strTexts[kAssignedTo]},
                 {L", Priority: ", m_strTexts[kPriority]},
                 {L", Title: ", m_strTexts[kTitle]}};
    CString strParts;
    for (const auto& part : parts)
        if (!part.strValue.IsEmpty())
            strParts += part.pszLabel + part.strValue;
    return strParts;
}
