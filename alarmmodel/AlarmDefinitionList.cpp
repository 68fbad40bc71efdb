#include "alarmmodel/AlarmDefinitionList.h"

#include "alarmmodel/NumberText.h"

#include <algorithm>
#include <cwchar>
#include <memory>

namespace
{
enum DefinitionTag : UINT
{
    TAG_CLASS = 100,
    TAG_CREATED = 101,
    TAG_MODIFIED = 102,
    TAG_TITLE = 103,
    TAG_DESCRIPTION = 104,
    TAG_ACTIONS = 105,
    TAG_CRITERIA = 106,
    TAG_ACTIVE = 107,
    TAG_ASSIGNED_TO = 108,
    TAG_PRIORITY = 109,
    TAG_THRESHOLD_COUNT = 110,
    TAG_THRESHOLD_SECS = 111,
    TAG_REPEAT_SECS = 112,
};

// The file has no escapes: a line break would start a new tagged line and a TAB inside an
// action or criterion would split it, so both become blanks on the way out.
// The text itself when it holds no line break, else a flattened copy in the scratch text.
const CString& SingleLine(const CString& text, CString& scratch)
{
    if (text.FindOneOf(L"\r\n") < 0)
        return text;
    scratch = text;
    scratch.Replace(L'\r', L' ');
    scratch.Replace(L'\n', L' ');
    return scratch;
}

// The items themselves when none needs a change, else flattened copies in the scratch array.
const CStringArray& SingleLineItems(const CStringArray& items, CStringArray& scratch)
{
    bool clean = true;
    for (const CString& item : items)
        clean = clean && item.FindOneOf(L"\t\r\n") < 0;
    if (clean)
        return items;
    for (const CString& item : items)
    {
        CString flat = item;
        for (const wchar_t ch : {L'\t', L'\r', L'\n'})
            flat.Replace(ch, L' ');
        scratch.Add(flat);
    }
    return scratch;
}
} // namespace

CAlarmDefinitionList::~CAlarmDefinitionList()
{
    RemoveAll();
}

void CAlarmDefinitionList::RemoveAll()
{
    for (CAlarmDefinition* p : m_arrDefinitions)
        delete p;
    m_arrDefinitions.clear();
}

int CAlarmDefinitionList::Add(CAlarmDefinition* pDefinition)
{
    m_arrDefinitions.push_back(pDefinition);
    return (int)m_arrDefinitions.size() - 1;
}

void CAlarmDefinitionList::RemoveAt(const CUIntArray& arrIndexes)
{
    for (int i = 0; i < arrIndexes.GetSize(); ++i)
    {
        size_t index = arrIndexes[i];
        if (index >= m_arrDefinitions.size())
            continue;
        delete m_arrDefinitions[index];
        m_arrDefinitions[index] = nullptr;
    }
    m_arrDefinitions.erase(std::remove(m_arrDefinitions.begin(), m_arrDefinitions.end(), nullptr),
                           m_arrDefinitions.end());
}

void CAlarmDefinitionList::CollectSorted(CString CAlarmDefinition::*pField, CStringArrayEx& arrTarget) const
{
    arrTarget.RemoveAll();
    for (const CAlarmDefinition* p : m_arrDefinitions)
        arrTarget.Add(p->*pField);
    arrTarget.Sort(TRUE);
    arrTarget.RemoveDuplicates();
}

const CStringArrayEx& CAlarmDefinitionList::GetAssignedToList()
{
    CollectSorted(&CAlarmDefinition::m_strAssignedTo, m_arrAssignedTo);
    return m_arrAssignedTo;
}

const CStringArrayEx& CAlarmDefinitionList::GetPriorityList()
{
    CollectSorted(&CAlarmDefinition::m_strPriority, m_arrPriorities);
    return m_arrPriorities;
}

void CAlarmDefinitionList::SerializeOne(const CAlarmDefinition& d, CStringArray& arrLines)
{
    CString flat;
    AddNumberLine(arrLines, TAG_ACTIVE, d.m_bActive ? 1 : 0);
    AddNumberLine(arrLines, TAG_CLASS, (UINT)d.m_nClass);
    AddNumberLine(arrLines, TAG_CREATED, (UINT)d.m_tCreated);
    AddNumberLine(arrLines, TAG_MODIFIED, (UINT)d.m_tModified);
    AddTaggedLine(arrLines, TAG_TITLE, SingleLine(d.m_strTitle, flat));
    AddTaggedLine(arrLines, TAG_DESCRIPTION, SingleLine(d.m_strDescription, flat));
    CStringArray actions, criteria;
    AddArrayLine(arrLines, TAG_ACTIONS, SingleLineItems(d.m_arrActions, actions), L'\t');
    AddArrayLine(arrLines, TAG_CRITERIA, SingleLineItems(d.m_arrCriteria, criteria), L'\t');
    AddTaggedLine(arrLines, TAG_ASSIGNED_TO, SingleLine(d.m_strAssignedTo, flat));
    AddTaggedLine(arrLines, TAG_PRIORITY, SingleLine(d.m_strPriority, flat));
    AddNumberLine(arrLines, TAG_THRESHOLD_COUNT, (UINT)d.m_nThresholdCount);
    AddNumberLine(arrLines, TAG_THRESHOLD_SECS, (UINT)d.m_nThresholdSecs);
    AddNumberLine(arrLines, TAG_REPEAT_SECS, (UINT)d.m_nRepeatSecs);
    arrLines.Add(EndOfRecord);
}

CString CAlarmDefinitionList::DefaultPath()
{
    return ProgramFilePath(L"TervokAlarmDefinitions.txt");
}

int CAlarmDefinitionList::Load()
{
    return LoadFile(DefaultPath());
}

int CAlarmDefinitionList::LoadFile(const wchar_t* pszPath)
{
    CStringArray lines;
    ReadLines(pszPath, lines);
    return ParseLines(lines);
}

BOOL CAlarmDefinitionList::Save() const
{
    return SaveFile(DefaultPath());
}

BOOL CAlarmDefinitionList::SaveFile(const wchar_t* pszPath) const
{
    CStringArray lines;
    Serialize(lines);
    if (!WriteLines(pszPath, lines, L"Tervok Alarm Definitions"))
        return FALSE;
    RaiseDefinitionsRevision();
    return TRUE;
}

void CAlarmDefinitionList::Serialize(CStringArray& arrLines) const
{
    for (const CAlarmDefinition* p : m_arrDefinitions)
        SerializeOne(*p, arrLines);
}

void CAlarmDefinitionList::ApplyLine(CAlarmDefinition& d, const CString& strLine)
{
    const wchar_t* value = LineValueStart(strLine);
    // A carriage return inside a line is read as the blank a save would write for it.
    CString flat;
    if (wcschr(value, L'\r'))
    {
        flat = value;
        flat.Replace(L'\r', L' ');
        value = flat;
    }
    const int number = NumberFromText(value);
    switch (LineTag(strLine))
    {
    case TAG_CLASS: d.m_nClass = number; break;
    case TAG_CREATED: d.m_tCreated = number; break;
    case TAG_MODIFIED: d.m_tModified = number; break;
    case TAG_THRESHOLD_COUNT: d.m_nThresholdCount = number; break;
    case TAG_THRESHOLD_SECS: d.m_nThresholdSecs = number; break;
    case TAG_REPEAT_SECS: d.m_nRepeatSecs = number; break;
    case TAG_ACTIVE: d.m_bActive = number != 0 ? TRUE : FALSE; break;
    case TAG_TITLE: d.m_strTitle = value; break;
    case TAG_DESCRIPTION: d.m_strDescription = value; break;
    case TAG_ASSIGNED_TO: d.m_strAssignedTo = value; break;
    case TAG_PRIORITY: d.m_strPriority = value; break;
    case TAG_ACTIONS: CStringEx(value).Split(L'\t', d.m_arrActions); break;
    case TAG_CRITERIA: CStringEx(value).Split(L'\t', d.m_arrCriteria); break;
    default: break;
    }
}

int CAlarmDefinitionList::ParseLines(const CStringArray& arrLines)
{
    // Parsed aside, so that lines without a whole record leave the collection as it was.
    CAlarmDefinitionList parsed;
    // Filled in place and handed over at its end line; an unfinished last record is dropped.
    std::unique_ptr<CAlarmDefinition> record(new CAlarmDefinition);
    for (const CString& line : arrLines)
    {
        if (line == EndOfRecord)
        {
            parsed.Add(record.release());
            record.reset(new CAlarmDefinition);
        }
        else
            ApplyLine(*record, line);
    }
    const int nRecords = parsed.GetCount();
    if (nRecords > 0)
        m_arrDefinitions.swap(parsed.m_arrDefinitions);
    return nRecords;
}
