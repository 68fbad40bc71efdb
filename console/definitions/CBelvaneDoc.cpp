#include "console/definitions/CBelvaneDoc.h"

IMPLEMENT_DYNCREATE(CBelvaneDoc, CDocument)
