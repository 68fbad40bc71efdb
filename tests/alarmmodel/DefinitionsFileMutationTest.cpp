// Definitions files damaged in every way a copy from elsewhere may be (Load From File takes
// them from anywhere): each is read whole or not at all, and what is read can be written back
// and read again unchanged.
#include "FileFixture.h"

#include "alarmmodel/AlarmDefinitionList.h"
#include "tests/support/Mutation.h"


namespace
{
const uint32_t kSeed = 20261209;
const int kInputs = 100000;

CString Repeated(const wchar_t* pszPiece, int nTimes)
{
    CString text;
    for (int i = 0; i < nTimes; ++i)
        text += pszPiece;
    return text;
}

void AddDefinitions(CAlarmDefinitionList& list)
{
    for (int i = 0; i < 4; ++i)
    {
        CAlarmDefinition* d = new CAlarmDefinition;
        d->m_bActive = i % 2;
        d->m_nClass = i;
        d->m_tCreated = 1700000000 + i;
        d->m_tModified = 1700000100 + i;
        d->m_strTitle.Format(L"Disk full on srv%02d \u00E9t\u00E9 \u00DF", i);
        d->m_strDescription = i == 2 ? Repeated(L"Free space below the limit, \u00C5ngstr\u00F6m; ", 60)
                                     : CString(L"Free space below limit");
        d->m_arrActions.Add(L"3:srv01 disk full");
        d->m_arrActions.Add(L"6:Script \u00FCber:alles");
        d->m_arrCriteria.Add(L"113:0:disk\fvolume\f\u00E6\u00F8\u00E5");
        d->m_arrCriteria.Add(L"109:1:Srv");
        d->m_strAssignedTo = L"ops \u00D8st";
        d->m_strPriority = i ? L"High" : L"";
        d->m_nThresholdCount = 3 * i;
        d->m_nThresholdSecs = 60;
        d->m_nRepeatSecs = 300;
        list.Add(d);
    }
}

// The first field in which two definitions differ, or empty text.
CString Difference(const CAlarmDefinition& a, const CAlarmDefinition& b)
{
    if (a.m_bActive != b.m_bActive || a.m_nClass != b.m_nClass || a.m_tCreated != b.m_tCreated ||
        a.m_tModified != b.m_tModified || a.m_nThresholdCount != b.m_nThresholdCount ||
        a.m_nThresholdSecs != b.m_nThresholdSecs || a.m_nRepeatSecs != b.m_nRepeatSecs)
        return L"a number";
    if (a.m_strTitle != b.m_strTitle || a.m_strDescription != b.m_strDescription ||
        a.m_strAssignedTo != b.m_strAssignedTo || a.m_strPriority != b.m_strPriority)
        return L"a text";
    const CStringArray* arrays[][2] = {{&a.m_arrActions, &b.m_arrActions}, {&a.m_arrCriteria, &b.m_arrCriteria}};
    for (const auto& pair : arrays)
    {
        if (pair[0]->GetSize() != pair[1]->GetSize())
            return L"an item count";
        for (int i = 0; i < pair[0]->GetSize(); ++i)
            if ((*pair[0])[i] != (*pair[1])[i])
                return L"an item";
    }
    return CString();
}

// What is wrong with the list just loaded (n records, or 0 with the sentinel kept), or empty.
CString Fault(CAlarmDefinitionList& list, int n)
{
    if (n == 0)
        return list.GetCount() == 1 && list.GetAt(0)->m_strTitle == L"sentinel" ? CString()
                                                                                 : CString(L"collection not kept");
    if (list.GetCount() != n)
        return L"count differs from the records read";
    for (int i = 0; i < n; ++i)
        if (list.GetAt(i)->m_bActive != 0 && list.GetAt(i)->m_bActive != 1)
            return L"active flag neither 0 nor 1";
    CStringArray lines;
    list.Serialize(lines);
    if (lines.GetSize() != 14 * n)
        return L"a record does not write back as 14 lines";
    CAlarmDefinitionList again;
    if (again.ParseLines(lines) != n)
        return L"written back, it reads as another count";
    for (int i = 0; i < n; ++i)
    {
        CString diff = Difference(*list.GetAt(i), *again.GetAt(i));
        if (!diff.IsEmpty())
            return L"written back and read again, " + diff + L" changed";
    }
    return CString();
}

} // namespace

class DefinitionsFileMutationTest : public FileFixture
{
};

TEST_F(DefinitionsFileMutationTest, HundredThousandDamagedFilesAreReadWholeOrNotAtAll)
{
    CAlarmDefinitionList original;
    AddDefinitions(original);
    const CString path = Path(L"defs.txt");
    ASSERT_TRUE(original.SaveFile(path));
    const std::vector<std::string> pieces = {"@EOR@", "\r\n@EOR@\r\n", "\r\n", "\n", "\r", "#", "\r\n# x\r\n",
                                             "100 ",  "105 ",          "106 ", "107 ", "\t", "\f", "\t\t\t",
                                             "103 \xE9\xFF", std::string(3000, 'x'), std::string(1, '\0')};
    RunFileMutations("definitions file", kSeed, kInputs, path, pieces, [&path](bool& bAccepted) {
        CAlarmDefinitionList list;
        CAlarmDefinition* sentinel = new CAlarmDefinition;
        sentinel->m_strTitle = L"sentinel";
        list.Add(sentinel);
        const int n = list.LoadFile(path);
        bAccepted = n > 0;
        return Fault(list, n);
    });
}
