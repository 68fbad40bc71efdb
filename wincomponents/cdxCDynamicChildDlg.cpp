#include "wincomponents/cdxCDynamicChildDlg.h"

IMPLEMENT_DYNAMIC(cdxCDynamicChildDlg, cdxCDynamicDialog)
