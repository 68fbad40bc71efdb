// Texts of the definition editor: the stored criterion and action strings taken apart and put
// together, criterion values between their stored and displayed forms, the collector's
// clipboard record, and the columns of the definitions list.
#pragma once

#include "alarmmodel/AlarmDefinition.h"

// The row of a list that shows criterion values writes each form feed as this.
extern const wchar_t szCriterionValueSeparator[];

CString CriterionValuesForDisplay(const CString& strStored);
CString CriterionValuesFromDisplay(const CString& strDisplayed);

// "field:operator:values"; FALSE when either colon is missing or first in its part.
BOOL ParseStoredCriterion(const CString& strStored, UINT& nField, UINT& nOperator, CString& strValues);
CString FormatStoredCriterion(UINT nField, UINT nOperator, const CString& strValues);
// "kind:parameter"; FALSE without a colon.
BOOL ParseStoredAction(const CString& strStored, UINT& nKind, CString& strParameter);
// The value alternatives split at form feeds (at most nParts) and joined again, empty ones left out.
void SplitCriterionValues(const CString& strValues, CStringArray& arrParts, int nParts);
CString JoinCriterionValues(const CStringArray& arrParts);

// The class that the first "QuorvexClass=" line names; ALARM_SOURCE_UNKNOWN without one.
UINT ClipboardRecordClass(const CStringArray& arrLines);
// Field label and value of a "Quorvex:label=value" line; FALSE for any other line.
BOOL ParseClipboardField(const CString& strLine, CString& strLabel, CString& strValue);
// The clipboard's text lines, empty lines kept.
void SplitClipboardText(const CString& strText, CStringArray& arrLines);

// The texts of columns 1 to 8 of a definitions-list row, in column order.
void DefinitionRowTexts(const CAlarmDefinition& definition, CStringArray& arrTexts);
