// Hands the text of an edit box to an outside editor through a scratch file in the work folder
// (UTF-8, CR LF between lines): Notepad on "Qxm Tmp.txt", or the user's registered HTML editor
// on "Qxm-Tmp.htm", and reads the edited text back.
#pragma once

#include "framework/core/CStringArray.h"
#include "framework/window/CWnd.h"

#include <functional>

// The box's text split at each CR LF; the piece after the last one is a line too. Lines are
// kept whole whatever their length.
void GetEditLines(CWnd& edit, CStringArray& lines);
// The lines with CR LF between them, none after the last.
CString JoinLines(const CStringArray& lines);

// Writes the box's lines to the scratch file and starts Notepad on it without waiting; FALSE
// when the file could not be written (the lines file has said why) or Notepad did not start.
BOOL ViewTextExternally(CWnd& edit);

// Edits the box's text in Notepad or, with bHtml and a registered HTML editor, in that editor,
// and waits until it ends; TRUE when the edited text was put back. A plain text bound for the
// HTML editor may be wrapped into one paragraph first (the user is asked).
BOOL EditTextExternally(CWnd& edit, BOOL bHtml);

// Starts a program with its command line, and waits for its end when bWait is set; FALSE when
// it did not start. Tests put their own in place; an empty function restores the real one.
typedef std::function<BOOL(const CString& strProgram, const CString& strCommandLine, BOOL bWait)>
    ExternalProgramRunner;
ExternalProgramRunner SetExternalProgramRunner(ExternalProgramRunner fnRunner);
