// The outstanding-alarms window's document: it holds nothing; the rows live in the view and the database.
#pragma once

#include "framework/frames/CDocument.h"

class CAlarmsListDoc : public CDocument
{
    DECLARE_DYNCREATE(CAlarmsListDoc)
};
