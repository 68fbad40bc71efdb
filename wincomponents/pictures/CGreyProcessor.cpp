#include "wincomponents/pictures/CGreyProcessor.h"

BOOL CGreyProcessor::Process(const uint32_t* pSource, int nSourceWidth, int nSourceHeight, uint32_t* pTarget,
                             int, int)
{
    MapPixels(pSource, nSourceWidth, nSourceHeight, pTarget, [](uint32_t nPixel) {
        uint32_t nGrey = (uint32_t)(PixelBlue(nPixel) + 6 * PixelGreen(nPixel) + 3 * PixelRed(nPixel)) / 10;
        return 0x00010101u * nGrey;
    });
    return TRUE;
}
