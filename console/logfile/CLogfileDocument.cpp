#include "console/logfile/CLogfileDocument.h"

IMPLEMENT_DYNCREATE(CLogfileDocument, CDocument)
