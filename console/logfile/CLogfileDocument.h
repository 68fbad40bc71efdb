// The log window's document: it holds nothing; the text lives in the form's control.
#pragma once

#include "framework/frames/CDocument.h"

class CLogfileDocument : public CDocument
{
    DECLARE_DYNCREATE(CLogfileDocument)
protected:
    // The log window is only ever hidden, so that no line is lost: File Close hides it as its
    // frame's close box does.
    void OnFileClose() override;
};
