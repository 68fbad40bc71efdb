#include "console/CAlarmsListDoc.h"

IMPLEMENT_DYNCREATE(CAlarmsListDoc, CDocument)
