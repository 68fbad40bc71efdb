// Turns every pixel but the key colour into its grey value.
#pragma once

#include "wincomponents/pictures/CPixelProcessor.h"

class CGreyProcessor : public CPixelProcessor
{
public:
    BOOL Process(const uint32_t* pSource, int nSourceWidth, int nSourceHeight, uint32_t* pTarget,
                 int nTargetWidth, int nTargetHeight) override;
};
