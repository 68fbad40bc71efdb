// Changes the lightness of every pixel but the key colour by a fixed amount, within 0 to 1.
#pragma once

#include "wincomponents/pictures/CPixelProcessor.h"

class CLightnessProcessor : public CPixelProcessor
{
public:
    explicit CLightnessProcessor(float fChange) : m_fChange(fChange) {}

    BOOL Process(const uint32_t* pSource, int nSourceWidth, int nSourceHeight, uint32_t* pTarget,
                 int nTargetWidth, int nTargetHeight) override;

private:
    float m_fChange;
};
