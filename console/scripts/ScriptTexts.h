// The text work of the script dialogs: the class-variables block through which a script action
// hands the triggering record's fields to a script, the diagnostic lines that echo those
// variables, and the splitting of a script into lines.
#pragma once

#include "framework/core/CStringArray.h"

extern const wchar_t* const szClassVariablesBegin;
extern const wchar_t* const szClassVariablesEnd;

// Carriage returns removed, split at line feeds, empty lines kept.
void SplitScriptLines(const CString& strScript, CStringArray& lines);

// Adds the empty block when the script has none (above its first line that is not a comment,
// else at its end) and, when strVariableLine is not empty, that line directly above the block's
// end. The lines are joined again with CR LF.
void EnsureClassVariables(CString& strScript, const CString& strVariableLine);

// "Const str<field id> = """, a TAB and a comment naming the class and the field.
CString ClassVariableLine(UINT nFieldId, const CString& strClass, const CString& strField);

// After the first line that begins with "' }}CLASS_VARIABLES": a block that echoes each named
// variable with its name. FALSE, and the script unchanged, without such a line.
BOOL AddDiagnosticLines(CString& strScript, const CStringArray& arrNames);
