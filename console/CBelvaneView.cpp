#include "console/CBelvaneView.h"

IMPLEMENT_DYNCREATE(CBelvaneView, CStandInListView)
