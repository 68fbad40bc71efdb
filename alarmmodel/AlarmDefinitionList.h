// All alarm definitions of the console, owned by the collection, with the pick lists of the
// definition editor and the reading and writing of the definitions file.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "alarmmodel/DefinitionFileBase.h"
#include "framework/core/CUIntArray.h"
#include "support/StringEx.h"

#include <vector>

class CAlarmDefinitionList : public CDefinitionFileBase
{
public:
    CAlarmDefinitionList() {}
    CAlarmDefinitionList(const CAlarmDefinitionList&) = delete;
    CAlarmDefinitionList& operator=(const CAlarmDefinitionList&) = delete;
    virtual ~CAlarmDefinitionList();

    int GetCount() const { return (int)m_arrDefinitions.size(); }
    CAlarmDefinition* GetAt(int nIndex) const { return m_arrDefinitions.at((size_t)nIndex); }

    void RemoveAll();
    // Takes ownership; returns the new index.
    int Add(CAlarmDefinition* pDefinition);
    // Every index refers to the positions before the call; repeated and out-of-range indexes
    // are harmless.
    void RemoveAt(const CUIntArray& arrIndexes);

    // Sorted case-sensitively, duplicates dropped; empty texts take part.
    const CStringArrayEx& GetAssignedToList();
    const CStringArrayEx& GetPriorityList();

    // The definitions file in the program folder.
    static CString DefaultPath();
    // The number of whole records read; with none (a missing, empty or cut file) the
    // collection is kept as it was and 0 returned.
    int Load();
    int LoadFile(const wchar_t* pszPath);
    // The revision counter is raised only after the file was written whole.
    BOOL Save() const;
    BOOL SaveFile(const wchar_t* pszPath) const;

    // Appends the records of all definitions; the array is not emptied first.
    void Serialize(CStringArray& arrLines) const;
    // Rebuilds the collection from tagged lines and returns the number of records; lines
    // without a whole record ("@EOR@") leave it untouched and give 0.
    int ParseLines(const CStringArray& arrLines);

private:
    static void SerializeOne(const CAlarmDefinition& definition, CStringArray& arrLines);
    static void ApplyLine(CAlarmDefinition& definition, const CString& strLine);
    void CollectSorted(CString CAlarmDefinition::*pField, CStringArrayEx& arrTarget) const;

    std::vector<CAlarmDefinition*> m_arrDefinitions;
    CStringArrayEx m_arrAssignedTo;
    CStringArrayEx m_arrPriorities;
};
