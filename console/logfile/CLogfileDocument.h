// The log window's document: it holds nothing; the text lives in the form's control.
#pragma once

#include "framework/frames/CDocument.h"

class CLogfileDocument : public CDocument
{
    DECLARE_DYNCREATE(CLogfileDocument)
};
