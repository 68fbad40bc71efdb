#include "console/definitions/CClipboardReader.h"

#include "console/definitions/DefinitionTexts.h"
#include "framework/window/AfxClipboard.h"

void CClipboardReader::ReadClipboardLines(CStringArray& arrLines)
{
    SplitClipboardText(AfxGetClipboardText(), arrLines);
}
