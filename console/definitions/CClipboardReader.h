// Reads the text lines that the collector's user interface puts on the clipboard.
#pragma once

#include "framework/Framework.h"

class CClipboardReader
{
public:
    virtual ~CClipboardReader() {}
    // The clipboard's text split at line ends, empty lines kept; none without text.
    void ReadClipboardLines(CStringArray& arrLines);
};
