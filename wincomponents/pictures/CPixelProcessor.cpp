#include "wincomponents/pictures/CPixelProcessor.h"

#include <cstring>

CPixelProcessor::CPixelProcessor() : m_bKey(FALSE), m_nKeyRed(0), m_nKeyGreen(0), m_nKeyBlue(0)
{
}

void CPixelProcessor::GetOutputSize(int&, int&)
{
}

BOOL CPixelProcessor::Process(const uint32_t* pSource, int nSourceWidth, int nSourceHeight, uint32_t* pTarget,
                              int, int)
{
    memcpy(pTarget, pSource, (size_t)nSourceWidth * (size_t)nSourceHeight * sizeof(uint32_t));
    return TRUE;
}

void CPixelProcessor::SetKeyColor(int nRed, int nGreen, int nBlue)
{
    m_nKeyRed = nRed;
    m_nKeyGreen = nGreen;
    m_nKeyBlue = nBlue;
    m_bKey = TRUE;
}

BOOL CPixelProcessor::IsKeyPixel(uint32_t nPixel) const
{
    return m_bKey && PixelRed(nPixel) == m_nKeyRed && PixelGreen(nPixel) == m_nKeyGreen &&
           PixelBlue(nPixel) == m_nKeyBlue;
}
