// Shows the text of an edit box in Notepad through a scratch file ("Qxm Tmp.txt" in the work
// folder, UTF-8), for reading outside the dialog.
#pragma once

#include "framework/core/CStringArray.h"
#include "framework/window/CWnd.h"

// The box's text split at each CR LF; the piece after the last one is a line too. Lines are
// kept whole whatever their length.
void GetEditLines(CWnd& edit, CStringArray& lines);

// Writes the box's lines to the scratch file and starts Notepad on it without waiting; FALSE
// when the file could not be written (the lines file has said why) or Notepad did not start.
BOOL ViewTextExternally(CWnd& edit);
