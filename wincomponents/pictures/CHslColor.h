// A colour held as red, green and blue and as hue, saturation and lightness; the side that a
// setter made stale is brought up to date by the next getter that needs it.
#pragma once

#include <windows.h>

#include <cstdint>

class CHslColor
{
public:
    explicit CHslColor(COLORREF crColor);
    CHslColor(uint8_t nRed, uint8_t nGreen, uint8_t nBlue);

    uint8_t GetRed();
    uint8_t GetGreen();
    uint8_t GetBlue();
    float GetHue();
    float GetSaturation();
    float GetLightness();
    void SetLightness(float fLightness);

private:
    void UpdateHsl();
    void UpdateRgb();

    // The first four bytes read as a Windows colour value.
    uint8_t m_nRed;
    uint8_t m_nGreen;
    uint8_t m_nBlue;
    uint8_t m_nSpare;
    float m_fHue;        // degrees, 0 to 360
    float m_fSaturation; // 0 to 1
    float m_fLightness;  // 0 to 1
    uint8_t m_bRgbValid;
    uint8_t m_bHslValid;
};
