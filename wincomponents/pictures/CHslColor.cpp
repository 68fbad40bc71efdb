#include "wincomponents/pictures/CHslColor.h"

#include <algorithm>

namespace
{
// One channel of the HSL to RGB conversion, 0 to 1. The arithmetic runs in double so that a
// full channel comes out as 255, not 254.
double Channel(double m1, double m2, double h)
{
    if (h >= 360.0)
        h -= 360.0;
    if (h < 0.0)
        h += 360.0;
    if (h < 60.0)
        return m1 + (m2 - m1) * h / 60.0;
    if (h < 180.0)
        return m2;
    if (h < 240.0)
        return m1 + (m2 - m1) * (240.0 - h) / 60.0;
    return m1;
}
} // namespace

CHslColor::CHslColor(COLORREF crColor)
    : CHslColor(GetRValue(crColor), GetGValue(crColor), GetBValue(crColor))
{
}

CHslColor::CHslColor(uint8_t nRed, uint8_t nGreen, uint8_t nBlue)
    : m_nRed(nRed), m_nGreen(nGreen), m_nBlue(nBlue), m_nSpare(0), m_fHue(0), m_fSaturation(0), m_fLightness(0),
      m_bRgbValid(1), m_bHslValid(0)
{
}

uint8_t CHslColor::GetRed()
{
    UpdateRgb();
    return m_nRed;
}

uint8_t CHslColor::GetGreen()
{
    UpdateRgb();
    return m_nGreen;
}

uint8_t CHslColor::GetBlue()
{
    UpdateRgb();
    return m_nBlue;
}

float CHslColor::GetHue()
{
    UpdateHsl();
    return m_fHue;
}

float CHslColor::GetSaturation()
{
    UpdateHsl();
    return m_fSaturation;
}

float CHslColor::GetLightness()
{
    UpdateHsl();
    return m_fLightness;
}

void CHslColor::SetLightness(float fLightness)
{
    UpdateHsl();
    m_fLightness = fLightness;
    m_bRgbValid = 0;
}

void CHslColor::UpdateHsl()
{
    if (m_bHslValid)
        return;
    int r = m_nRed, g = m_nGreen, b = m_nBlue;
    int nMax = std::max(r, std::max(g, b));
    int nMin = std::min(r, std::min(g, b));
    m_fLightness = (float)(nMax + nMin) / 510.0f;
    if (nMax == nMin)
    {
        m_fSaturation = 0.0f;
        m_fHue = 0.0f;
    }
    else
    {
        float d = (float)(nMax - nMin);
        m_fSaturation = m_fLightness > 0.5f ? d / (float)(510 - (nMax + nMin)) : d / (float)(nMax + nMin);
        // Later matches win where two channels share the maximum.
        if (r == nMax)
            m_fHue = (6.0f + (float)(g - b) / d) * 60.0f;
        if (g == nMax)
            m_fHue = (2.0f + (float)(b - r) / d) * 60.0f;
        if (b == nMax)
            m_fHue = (4.0f + (float)(r - g) / d) * 60.0f;
        if (m_fHue > 360.0f)
            m_fHue -= 360.0f;
    }
    m_bHslValid = 1;
}

void CHslColor::UpdateRgb()
{
    if (m_bRgbValid)
        return;
    if (m_fSaturation == 0.0f)
    {
        m_nRed = m_nGreen = m_nBlue = (uint8_t)(m_fLightness * 255.0);
    }
    else
    {
        double l = m_fLightness, s = m_fSaturation, h = m_fHue;
        double m2 = l > 0.5 ? l + s - l * s : l * (1.0 + s);
        double m1 = 2.0 * l - m2;
        m_nRed = (uint8_t)(Channel(m1, m2, h + 120.0) * 255.0);
        m_nGreen = (uint8_t)(Channel(m1, m2, h) * 255.0);
        m_nBlue = (uint8_t)(Channel(m1, m2, h - 120.0) * 255.0);
    }
    m_bRgbValid = 1;
}
