// One step of a bitmap's pixel chain. Pixels are 32-bit values in bitmap memory order (blue in
// the low byte, then green, then red), rows top-down, each row width x 4 bytes. Pixels of the
// key colour, once one is set, pass every processor unchanged.
#pragma once

#include <windows.h>

#include <cstdint>

class CPixelProcessor
{
public:
    CPixelProcessor();
    virtual ~CPixelProcessor() {}

    // The size of the image the processor makes from one of the given size.
    virtual void GetOutputSize(int& nWidth, int& nHeight);
    // The plain processor copies width x height pixels.
    virtual BOOL Process(const uint32_t* pSource, int nSourceWidth, int nSourceHeight, uint32_t* pTarget,
                         int nTargetWidth, int nTargetHeight);

    void SetKeyColor(int nRed, int nGreen, int nBlue);
    BOOL IsKeyPixel(uint32_t nPixel) const;

    static int PixelRed(uint32_t nPixel) { return (int)((nPixel >> 16) & 0xFF); }
    static int PixelGreen(uint32_t nPixel) { return (int)((nPixel >> 8) & 0xFF); }
    static int PixelBlue(uint32_t nPixel) { return (int)(nPixel & 0xFF); }

protected:
    // Writes fnChange(pixel) for every pixel, the key colour's unchanged.
    template <typename F>
    void MapPixels(const uint32_t* pSource, int nWidth, int nHeight, uint32_t* pTarget, F fnChange) const
    {
        size_t nCount = (size_t)nWidth * (size_t)nHeight;
        for (size_t i = 0; i < nCount; ++i)
            pTarget[i] = IsKeyPixel(pSource[i]) ? pSource[i] : fnChange(pSource[i]);
    }

    BOOL m_bKey;
    int m_nKeyRed;
    int m_nKeyGreen;
    int m_nKeyBlue;
};
