// A bitmap that can run its pixels through a chain of processors and take the result as its new
// bitmap: the disabled and the paler look of toolbar images come from one bitmap this way.
#pragma once

#include "framework/gdi/CBitmap.h"

#include <cstdint>
#include <vector>

class CPixelProcessor;

class CImageBitmap : public CBitmap
{
public:
    // The fill colour paints the processors' buffers before they write.
    explicit CImageBitmap(COLORREF crFill = 0) : m_crFill(crFill) {}

    // TRUE when every processor succeeded and the bitmap was replaced; an empty list changes
    // nothing and succeeds.
    BOOL Process(const std::vector<CPixelProcessor*>& processors);
    // Grey, then three lightness steps of +0.08; the key colour stays as it is.
    BOOL MakeDisabled(COLORREF crKey);
    // Two lightness steps of +0.04; the key colour stays as it is.
    BOOL MakeLighter(COLORREF crKey);

private:
    void Fill(std::vector<uint32_t>& pixels) const;

    COLORREF m_crFill;
};
