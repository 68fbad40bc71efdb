#include "framework/frames/CPrintInfo.h"

CPrintInfo::CPrintInfo()
    : m_pd(FALSE, PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE),
      m_bPreview(FALSE), m_nCurPage(1), m_nMaxPage(1)
{
}
