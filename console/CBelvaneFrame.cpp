#include "console/CBelvaneFrame.h"

IMPLEMENT_DYNCREATE(CBelvaneFrame, CMDIChildWnd)
