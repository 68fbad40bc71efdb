// The alarm definitions window's document; its data come with the window's own issue.
#pragma once

#include "framework/frames/CDocument.h"

class CBelvaneDoc : public CDocument
{
    DECLARE_DYNCREATE(CBelvaneDoc)
};
