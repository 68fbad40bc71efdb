#include "console/CBelvaneDoc.h"

IMPLEMENT_DYNCREATE(CBelvaneDoc, CDocument)
