// Blocks in the shortcut-bar item format that a foreign program might offer: one well-formed
// item with two icons, one without icons, and some hundreds that are cut short, too long or
// inconsistent. The test program and the program that offers them build the same list.
#pragma once

#include "IconPixels.h"
#include "wincomponents/shortcutbar/CShortcutItemPayload.h"

#include <cstring>
#include <vector>

const COLORREF crOfferNormalLeft = RGB(12, 200, 77);
const COLORREF crOfferNormalRight = RGB(201, 33, 150);
const COLORREF crOfferSmallLeft = RGB(250, 140, 3);
const COLORREF crOfferSmallRight = RGB(30, 60, 222);
const wchar_t* const pszOfferText = L"Z\u00fcrich \u2713";
const DWORD dwOfferData = 0xDEADBEEF;

struct CPayloadCase
{
    const char* pszWhat;
    std::vector<BYTE> bytes;
    bool bGood;
};

inline std::vector<BYTE> BytesOf(HGLOBAL hGlobal)
{
    const BYTE* p = (const BYTE*)GlobalLock(hGlobal);
    std::vector<BYTE> bytes(p, p + GlobalSize(hGlobal));
    GlobalUnlock(hGlobal);
    GlobalFree(hGlobal);
    return bytes;
}

// The item the tests offer; its icons are image 1 of a normal and a small list.
inline CShortcutItemPayload MakeOfferedItem(bool bWithImages)
{
    CShortcutItemPayload item;
    item.m_strText = pszOfferText;
    item.m_dwData = dwOfferData;
    item.m_extra = {1, 2, 3, 250};
    if (!bWithImages)
        return item;
    CImageList normal, small;
    normal.Create(32, 32, ILC_COLOR32 | ILC_MASK, 2, 0);
    small.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    HICON hNormal = MakeTwoColourIcon(32, 32, crOfferNormalLeft, crOfferNormalRight);
    HICON hSmall = MakeTwoColourIcon(16, 16, crOfferSmallLeft, crOfferSmallRight);
    normal.Add(hSmall); // image 0 is not the item's
    normal.Add(hNormal);
    small.Add(hNormal);
    small.Add(hSmall);
    DestroyIcon(hNormal);
    DestroyIcon(hSmall);
    item.SetImage(CShortcutItemPayload::imageNormal, &normal, 1);
    item.SetImage(CShortcutItemPayload::imageSmall, &small, 1);
    return item;
}

inline void PutDword(std::vector<BYTE>& bytes, size_t nAt, DWORD dw)
{
    memcpy(&bytes[nAt], &dw, sizeof dw);
}

inline DWORD GetDword(const std::vector<BYTE>& bytes, size_t nAt)
{
    DWORD dw;
    memcpy(&dw, &bytes[nAt], sizeof dw);
    return dw;
}

inline std::vector<CPayloadCase> MakeShortcutItemCases()
{
    const std::vector<BYTE> good = BytesOf(MakeOfferedItem(true).Write());
    std::vector<CPayloadCase> cases;
    cases.push_back({"well-formed with icons", good, true});
    cases.push_back({"well-formed without icons", BytesOf(MakeOfferedItem(false).Write()), true});

    const size_t nData = (wcslen(pszOfferText) + 1) * 2, nCount = nData + 4, nRecord0 = nCount + 4;
    const size_t nSize0 = GetDword(good, nRecord0 + 8), nImage0 = nRecord0 + 12;
    const size_t nRecord1 = nImage0 + nSize0, nSize1 = GetDword(good, nRecord1 + 8);
    const size_t nExtra = nRecord1 + 12 + nSize1;
    auto with = [&](const char* pszWhat, size_t nAt, DWORD dw) {
        std::vector<BYTE> bytes = good;
        PutDword(bytes, nAt, dw);
        cases.push_back({pszWhat, bytes, false});
    };
    auto withWord = [&](const char* pszWhat, size_t nAt, WORD w) {
        std::vector<BYTE> bytes = good;
        memcpy(&bytes[nAt], &w, sizeof w);
        cases.push_back({pszWhat, bytes, false});
    };

    cases.push_back({"empty block", {}, false});
    cases.push_back({"one byte", {'a'}, false});
    cases.push_back({"label without end", {'a', 0, 'b', 0, 'c', 0}, false});
    cases.push_back({"label alone", {'a', 0, 0, 0}, false});
    for (size_t n = 1; n < good.size(); ++n)
        if (n < 64 || n % 67 == 0 || n + 8 > good.size())
            cases.push_back({"cut short", std::vector<BYTE>(good.begin(), good.begin() + n), false});
    for (size_t n : {(size_t)1, (size_t)4, (size_t)100})
    {
        std::vector<BYTE> bytes = good;
        bytes.insert(bytes.end(), n, 0xCC);
        cases.push_back({"longer than its contents", bytes, false});
    }
    for (DWORD dw : {0u, 1u, 3u, 0x10000u, 0x80000000u, 0xFFFFFFFFu})
        with("wrong image count", nCount, dw);
    for (DWORD dw : {(DWORD)0, (DWORD)nSize0 - 1, (DWORD)nSize0 + 1, (DWORD)(good.size() - nImage0),
                     (DWORD)0x7FFFFFFF, (DWORD)0x80000000, (DWORD)0xFFFFFFFF})
        with("image size past its record", nRecord0 + 8, dw);
    with("second image size past the end", nRecord1 + 8, (DWORD)nSize1 + 5);
    for (DWORD dw : {2u, 0xFFFFFFFFu, 1u})
        with("unknown or repeated image list", nRecord0 + 4, dw);
    with("two normal images", nRecord1 + 4, 0);
    for (DWORD dw : {1u, 5u, 0x80000000u, 0xFFFFFFFFu})
        with("extra data past the end", nExtra, dw);
    with("image is no image list", nImage0, 0x12345678);
    withWord("image list of no images", nImage0 + 4, 0);
    withWord("image of width 0", nImage0 + 10, 0);
    withWord("image far too wide", nImage0 + 10, 0xFFFF);
    withWord("image bitmap is no bitmap", nImage0 + 28, 0x1234);
    with("image bitmap far too wide", nImage0 + 28 + 14 + 4, 100000);
    with("image bitmap of height 0", nImage0 + 28 + 14 + 8, 0);
    {
        std::vector<BYTE> bytes = good;
        memset(&bytes[nImage0], 0xFF, nSize0);
        cases.push_back({"image all ones", bytes, false});
        memset(&bytes[nImage0], 0, nSize0);
        cases.push_back({"image all zeros", bytes, false});
    }
    {
        // The image record is consistent with the block, but its image list ends early.
        std::vector<BYTE> bytes = good;
        bytes.erase(bytes.begin() + nRecord1 - 200, bytes.begin() + nRecord1);
        PutDword(bytes, nRecord0 + 8, (DWORD)nSize0 - 200);
        cases.push_back({"image list cut inside", bytes, false});
    }
    DWORD dwSeed = 12345;
    for (int i = 0; i < 60; ++i)
    {
        std::vector<BYTE> bytes;
        if (i % 2)
            bytes.assign(good.begin(), good.begin() + nCount);
        size_t nLength = 1 + (dwSeed = dwSeed * 1103515245 + 12345) % 600;
        while (nLength--)
            bytes.push_back((BYTE)((dwSeed = dwSeed * 1103515245 + 12345) >> 16));
        cases.push_back({"random bytes", bytes, false});
    }
    return cases;
}
