// The alarm definitions window's document: it holds no data; the view owns the definitions.
#pragma once

#include "framework/frames/CDocument.h"

class CBelvaneDoc : public CDocument
{
    DECLARE_DYNCREATE(CBelvaneDoc)
};
