// Blocks in the shortcut-bar item format that a foreign program might offer: one well-formed
// item with two icons, one without icons, and some hundreds that are cut short, too long or
// inconsistent. The test program and the program that offers them build the same list.
#pragma once

#include "IconPixels.h"
#include "wincomponents/shortcutbar/CShortcutItemPayload.h"

#include <cstring>
#include <functional>
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

inline void AppendImage(std::vector<BYTE>& bytes, const std::vector<BYTE>& image)
{
    DWORD dwSize = (DWORD)image.size();
    const BYTE* p = (const BYTE*)&dwSize;
    bytes.insert(bytes.end(), p, p + sizeof dwSize);
    bytes.insert(bytes.end(), image.begin(), image.end());
}

// Image lists that crashed the platform's reader in the taking process, each changed from a
// well-formed one: a count of 0xFFFF, a count of 1024 in a list of at most 2, a mask bitmap
// whose header says 1x1, images 256 high over a bitmap 32 high.
const char* const pszCountFFFF = "image list of 0xFFFF images";
const char* const pszCount1024 = "image list of 1024 images, at most 2";
const char* const pszMaskOnePixel = "mask bitmap of 1x1";
const char* const pszHeight256 = "images 256 high over a bitmap 32 high";

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
    // The normal icon's image list changed by edit(), its record's size following it: the item
    // stays consistent, the image list inside it does not.
    auto withImage = [&](const char* pszWhat, const std::function<void(std::vector<BYTE>&)>& edit) {
        std::vector<BYTE> image(good.begin() + nImage0, good.begin() + nImage0 + nSize0);
        edit(image);
        std::vector<BYTE> bytes(good.begin(), good.begin() + nRecord0 + 8);
        AppendImage(bytes, image);
        bytes.insert(bytes.end(), good.begin() + nRecord1, good.end());
        cases.push_back({pszWhat, bytes, false});
    };
    auto imageWord = [&](const char* pszWhat, size_t nAt, WORD w) {
        withImage(pszWhat, [&](std::vector<BYTE>& image) { memcpy(&image[nAt], &w, sizeof w); });
    };
    auto imageDword = [&](const char* pszWhat, size_t nAt, DWORD dw) {
        withImage(pszWhat, [&](std::vector<BYTE>& image) { PutDword(image, nAt, dw); });
    };
    // The image list as CopyImageToMemory writes it: its header, then the image bitmap and the
    // mask bitmap, each a file header, an info header, (for the mask) two colours, then the bits.
    const size_t nImageInfo = 28 + 14, nMaskFile = nImageInfo + 40 + 128 * 32 * 4, nMaskInfo = nMaskFile + 14;
    imageWord(pszCountFFFF, 4, 0xFFFF);
    imageWord(pszCount1024, 4, 1024);
    withImage(pszMaskOnePixel, [&](std::vector<BYTE>& image) {
        PutDword(image, nMaskInfo + 4, 1);
        PutDword(image, nMaskInfo + 8, 1);
    });
    imageWord(pszHeight256, 12, 256);
    for (WORD w : {3, 4, 5, 0x8000})
        imageWord("image count above the list's maximum", 4, w);
    for (WORD w : {0, 1025, 0xFFFF})
        imageWord("image list maximum out of range", 6, w);
    for (WORD w : {0, 0x100, 0x102})
        imageWord("image list of another version", 2, w);
    for (WORD w : {16, 31, 33, 64, 257})
        imageWord("image height other than the bitmap's", 12, w);
    for (WORD w : {16, 31, 33, 64, 256})
        imageWord("image width other than the bitmap's", 10, w);
    for (WORD w : {ILC_COLOR32, ILC_MASK | 0x0002, ILC_MASK | 0x0022, 0xFFFF})
        imageWord("image list flags unknown or without a mask", 18, w);
    for (short n : {-2, 1, 4, 0x7FFF})
        imageWord("overlay of no image", 20, (WORD)n);
    for (DWORD dw : {12u, 124u, 0u})
        imageDword("image bitmap header of another size", nImageInfo, dw);
    for (DWORD dw : {1u, 32u, 64u, 127u, 129u, 256u, 0x7FFFFFFFu, 0x80000000u})
        imageDword("image bitmap width other than four images", nImageInfo + 4, dw);
    for (DWORD dw : {1u, 16u, 31u, 33u, 64u, 0xFFFFFFE0u, 0xFFFFFFFFu, 0x80000000u})
        imageDword("image bitmap height other than the images'", nImageInfo + 8, dw);
    for (WORD w : {0, 2, 0xFFFF})
        imageWord("image bitmap planes other than one", nImageInfo + 12, w);
    for (WORD w : {0, 2, 3, 24, 33, 64, 0xFFFF})
        imageWord("image bitmap bits per pixel unusable", nImageInfo + 14, w);
    for (DWORD dw : {1u, 3u, 0xFFFFFFFFu}) // BI_RLE8, BI_BITFIELDS, none
        imageDword("image bitmap compressed", nImageInfo + 16, dw);
    imageWord("mask bitmap is no bitmap", nMaskFile, 0x4D43);
    for (DWORD dw : {1u, 64u, 127u, 129u, 256u, 0x80000000u})
        imageDword("mask bitmap width other than the image's", nMaskInfo + 4, dw);
    for (DWORD dw : {1u, 16u, 31u, 33u, 64u, 0xFFFFFFE0u})
        imageDword("mask bitmap height other than the image's", nMaskInfo + 8, dw);
    for (WORD w : {0, 4, 8, 24, 32})
        imageWord("mask bitmap of more than one bit per pixel", nMaskInfo + 14, w);
    imageWord("mask bitmap planes other than one", nMaskInfo + 12, 2);
    imageDword("mask bitmap compressed", nMaskInfo + 16, (DWORD)BI_RLE8);
    withImage("image list without its mask", [&](std::vector<BYTE>& image) { image.resize(nMaskFile); });
    withImage("image list cut in its mask bits", [&](std::vector<BYTE>& image) { image.pop_back(); });
    withImage("image list cut in its image bits", [&](std::vector<BYTE>& image) { image.resize(nMaskFile - 4); });
    withImage("image list longer than its mask", [&](std::vector<BYTE>& image) { image.push_back(0); });
    withImage("image list with bytes after its mask", [&](std::vector<BYTE>& image) { image.resize(image.size() + 512); });
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
