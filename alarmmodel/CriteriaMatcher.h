// Whether a record satisfies the criteria of a definition, with a one-line explanation, and
// the criteria of a definition as one readable line. A record is two parallel arrays: column
// names and their values as texts.
#pragma once

#include "alarmmodel/AlarmDefinition.h"

// Every criterion whose column occurs in the record must hold; criteria on absent columns are
// not tested. TRUE ("Alarm") only when at least one criterion was tested and all held.
BOOL TestDefinitionCriteria(const CAlarmDefinition& definition, const CStringArray& arrColumns,
                            const CStringArray& arrValues, CString& strResult);

// The values text holds the alternatives separated by a form feed. Compared without regard to
// the case of A-Z; an empty field value never matches.
BOOL MatchCriterionValue(const CString& strValues, const CString& strFieldValue, UINT nOperator);

CString FormatCriteriaText(const CAlarmDefinition& definition);
