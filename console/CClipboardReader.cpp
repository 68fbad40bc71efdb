#include "console/CClipboardReader.h"

#include "console/DefinitionTexts.h"
#include "framework/window/AfxClipboard.h"

void CClipboardReader::ReadClipboardLines(CStringArray& arrLines)
{
    SplitClipboardText(AfxGetClipboardText(), arrLines);
}
