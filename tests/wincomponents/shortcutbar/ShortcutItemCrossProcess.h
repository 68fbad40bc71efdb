// What the test program and the program beside it agree on for a drag between them: where the
// other program's window stands, its titles and how a taken item is described.
#pragma once

#include "IconPixels.h"
#include "wincomponents/shortcutbar/CShortcutItemPayload.h"

#include <cstdio>
#include <string>

const RECT kOfferWindow = {480, 120, 580, 220};
const wchar_t* const pszOfferSourceTitle = L"shortcut item source";
const wchar_t* const pszOfferTargetTitle = L"shortcut item target";

// The colours of an image on a grid of points, as "rrggbb rrggbb ...".
inline std::string DescribeImage(CImageList& list, int nImage)
{
    std::string strPixels;
    for (int y = 2; y < 32; y += 6)
    {
        for (int x = 2; x < 32; x += 6)
        {
            char szPixel[8];
            snprintf(szPixel, sizeof szPixel, "%06lx", (unsigned long)ImagePixel(list, nImage, x, y));
            strPixels += (strPixels.empty() ? "" : " ") + std::string(szPixel);
        }
    }
    return strPixels;
}

// Its label in UTF-8 and, on the next line, its normal icon.
inline std::string DescribeTakenItem(const CShortcutItemPayload& item)
{
    char szLabel[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, item.m_strText.GetString(), -1, szLabel, sizeof szLabel - 1, nullptr, nullptr);
    CImageList normal;
    int nImage = item.HasImage(CShortcutItemPayload::imageNormal) ? item.AddImages(&normal, nullptr) : -1;
    return std::string(szLabel) + "\n" + (nImage < 0 ? "no icon" : DescribeImage(normal, nImage));
}
