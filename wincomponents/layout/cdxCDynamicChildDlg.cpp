#include "wincomponents/layout/cdxCDynamicChildDlg.h"

IMPLEMENT_DYNAMIC(cdxCDynamicChildDlg, cdxCDynamicDialog)
