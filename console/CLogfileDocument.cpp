#include "console/CLogfileDocument.h"

IMPLEMENT_DYNCREATE(CLogfileDocument, CDocument)
