#include "console/alarms/CAlarmsListDoc.h"

IMPLEMENT_DYNCREATE(CAlarmsListDoc, CDocument)
