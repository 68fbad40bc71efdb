#include "wincomponents/pictures/CLightnessProcessor.h"

#include "wincomponents/pictures/CHslColor.h"

#include <algorithm>

BOOL CLightnessProcessor::Process(const uint32_t* pSource, int nSourceWidth, int nSourceHeight,
                                  uint32_t* pTarget, int, int)
{
    float fChange = m_fChange;
    MapPixels(pSource, nSourceWidth, nSourceHeight, pTarget, [fChange](uint32_t nPixel) {
        CHslColor color((uint8_t)PixelRed(nPixel), (uint8_t)PixelGreen(nPixel), (uint8_t)PixelBlue(nPixel));
        float fLightness = color.GetLightness();
        float fNew = fLightness + fChange;
        if (fChange > 0.0f && fLightness < 1.0f)
            color.SetLightness(std::min(fNew, 1.0f));
        else if (fChange < 0.0f && fLightness > 0.0f)
            color.SetLightness(std::max(fNew, 0.0f));
        return (nPixel & 0xFF000000u) | ((uint32_t)color.GetRed() << 16) | ((uint32_t)color.GetGreen() << 8) |
               color.GetBlue();
    });
    return TRUE;
}
