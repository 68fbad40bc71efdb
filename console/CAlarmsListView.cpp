#include "console/CAlarmsListView.h"

IMPLEMENT_DYNCREATE(CAlarmsListView, CStandInListView)
