#include "console/CAlarmsListFrame.h"

IMPLEMENT_DYNCREATE(CAlarmsListFrame, CMDIChildWnd)
