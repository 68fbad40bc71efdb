// The outstanding-alarms window's document; its data come with the window's own issue.
#pragma once

#include "framework/frames/CDocument.h"

class CAlarmsListDoc : public CDocument
{
    DECLARE_DYNCREATE(CAlarmsListDoc)
};
