// A mutation run over dropped shortcut-bar items: well-formed items (one icon, two icons, a long
// label, a non-ASCII label) changed by flipped, overwritten, inserted and cut bytes and by fields
// set to edge values, each read in this process. None may crash the reader, and an item that is
// taken must hold only parts that fit, its label cut to the reader's limit. The seed is fixed, so
// a failure repeats: TERVOK_MUTATION_SEED picks another seed, TERVOK_MUTATION_ONLY runs one block
// of the run and TERVOK_MUTATION_COUNT makes the run shorter or longer.
#include "GuiTest.h"
#include "ShortcutItemCases.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
const uint64_t nDefaultSeed = 20261209;
const int nBlocks = 100000;
const int nLabelLimit = 512; // what a reader keeps of a label

// xorshift64*: the same seed gives the same blocks on every build.
class CMutationRandom
{
public:
    explicit CMutationRandom(uint64_t nSeed) : m_n(nSeed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint32_t Next()
    {
        m_n ^= m_n >> 12;
        m_n ^= m_n << 25;
        m_n ^= m_n >> 27;
        return (uint32_t)((m_n * 0x2545F4914F6CDD1Dull) >> 32);
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }

private:
    uint64_t m_n;
};

// A well-formed item in its parts, so that a mutation of an icon's image list can keep the
// item around it consistent.
struct CItemParts
{
    std::vector<BYTE> label; // UTF-16 with its NUL
    DWORD dwData = 0;
    std::vector<std::pair<DWORD, std::vector<BYTE>>> images; // list kind, image-list bytes
    std::vector<BYTE> extra;

    std::vector<BYTE> Assemble() const
    {
        std::vector<BYTE> bytes = label;
        AppendDwordTo(bytes, dwData);
        AppendDwordTo(bytes, (DWORD)images.size());
        for (const auto& image : images)
        {
            AppendDwordTo(bytes, 0);
            AppendDwordTo(bytes, image.first);
            AppendImage(bytes, image.second);
        }
        AppendImage(bytes, extra);
        return bytes;
    }
    static void AppendDwordTo(std::vector<BYTE>& bytes, DWORD dw)
    {
        bytes.insert(bytes.end(), (const BYTE*)&dw, (const BYTE*)&dw + sizeof dw);
    }
};

// Splits a well-formed block into its parts.
CItemParts PartsOf(const std::vector<BYTE>& bytes)
{
    CItemParts parts;
    size_t nAt = 0;
    while (bytes[nAt] || bytes[nAt + 1])
        nAt += 2;
    parts.label.assign(bytes.begin(), bytes.begin() + nAt + 2);
    nAt += 2;
    parts.dwData = GetDword(bytes, nAt);
    DWORD dwCount = GetDword(bytes, nAt + 4);
    nAt += 8;
    for (DWORD i = 0; i < dwCount; ++i)
    {
        DWORD dwList = GetDword(bytes, nAt + 4), dwSize = GetDword(bytes, nAt + 8);
        nAt += 12;
        parts.images.push_back({dwList, std::vector<BYTE>(bytes.begin() + nAt, bytes.begin() + nAt + dwSize)});
        nAt += dwSize;
    }
    DWORD dwExtra = GetDword(bytes, nAt);
    parts.extra.assign(bytes.begin() + nAt + 4, bytes.begin() + nAt + 4 + dwExtra);
    return parts;
}

// The block read into item, as a drop reads it.
BOOL ReadBlock(const std::vector<BYTE>& bytes, CShortcutItemPayload& item)
{
    HGLOBAL hGlobal = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!hGlobal)
        return FALSE;
    if (!bytes.empty())
    {
        memcpy(GlobalLock(hGlobal), bytes.data(), bytes.size());
        GlobalUnlock(hGlobal);
    }
    BOOL bRead = item.Read(hGlobal);
    GlobalFree(hGlobal);
    return bRead;
}

// The offered item's icons (the normal, the small or both) under another label and extra bytes.
CItemParts MakeSeed(const wchar_t* pszLabel, bool bNormal, bool bSmall, size_t nExtra)
{
    CShortcutItemPayload plain = MakeOfferedItem(false);
    plain.m_strText = pszLabel;
    plain.m_extra.assign(nExtra, 0xA5);
    CItemParts seed = PartsOf(BytesOf(plain.Write()));
    for (const auto& image : PartsOf(BytesOf(MakeOfferedItem(true).Write())).images)
    {
        if ((image.first == 0 && bNormal) || (image.first == 1 && bSmall))
            seed.images.push_back(image);
    }
    return seed;
}

// Where the mask bitmap of a well-formed image list of 32-bit images starts.
size_t MaskBitmapAt(const std::vector<BYTE>& image)
{
    return 28 + 54 + (size_t)GetDword(image, 28 + 18) * 4 * (size_t)GetDword(image, 28 + 22);
}

// The positions of the fields of a well-formed image list, with their widths: the header's words,
// then both bitmaps' file and info headers.
std::vector<std::pair<size_t, size_t>> ImageListFields(const std::vector<BYTE>& image)
{
    std::vector<std::pair<size_t, size_t>> fields;
    for (size_t n = 0; n < 28; n += 2)
        fields.push_back({n, 2});
    for (size_t nBitmap : {(size_t)28, MaskBitmapAt(image)})
    {
        fields.insert(fields.end(), {{nBitmap, 2}, {nBitmap + 2, 4}, {nBitmap + 10, 4}, {nBitmap + 26, 2},
                                     {nBitmap + 28, 2}});
        for (size_t n = 14; n < 54; n += 4)
            fields.push_back({nBitmap + n, 4});
    }
    return fields;
}

DWORD EdgeValue(CMutationRandom& random, DWORD dwOld)
{
    static const DWORD values[] = {0, 1, 2, 3, 4, 5, 8, 16, 31, 32, 33, 64, 127, 128, 255, 256, 257, 1024, 1025,
                                   0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};
    switch (random.Below(4))
    {
    case 0:
        return dwOld + (DWORD)random.Below(5) - 2; // up to two off, either way
    case 1:
        return random.Below(2) ? dwOld * 2 : (DWORD)-(LONG)dwOld;
    case 2:
        return random.Next();
    default:
        return values[random.Below(sizeof values / sizeof values[0])];
    }
}

void SetField(std::vector<BYTE>& bytes, size_t nAt, size_t nWidth, DWORD dw)
{
    if (nAt + nWidth <= bytes.size())
        memcpy(&bytes[nAt], &dw, nWidth);
}

DWORD GetField(const std::vector<BYTE>& bytes, size_t nAt, size_t nWidth)
{
    DWORD dw = 0;
    if (nAt + nWidth <= bytes.size())
        memcpy(&dw, &bytes[nAt], nWidth);
    return dw;
}

// A position in the bytes, or up to their end: in seven draws of eight one among the given
// ranges (the headers), else anywhere.
size_t PickPosition(CMutationRandom& random, size_t nSize, const std::vector<std::pair<size_t, size_t>>& ranges)
{
    if (ranges.empty() || random.Below(8) == 0)
        return random.Below(nSize + 1);
    const std::pair<size_t, size_t>& range = ranges[random.Below(ranges.size())];
    return std::min(nSize, range.first + random.Below(range.second));
}

// One change to the bytes, mostly at the given ranges; its name.
const char* MutateBytes(CMutationRandom& random, std::vector<BYTE>& bytes,
                        const std::vector<std::pair<size_t, size_t>>& ranges)
{
    const size_t nSize = bytes.size();
    const size_t nPick = PickPosition(random, nSize, ranges), nAt = nPick < nSize ? nPick : random.Below(nSize);
    switch (random.Below(5))
    {
    case 0:
        if (nSize)
            bytes[nAt] ^= (BYTE)(1 << random.Below(8));
        return "flip";
    case 1:
        if (nSize)
            bytes[nAt] = (BYTE)random.Next();
        return "overwrite";
    case 2:
    {
        std::vector<BYTE> inserted(1 + random.Below(random.Below(2) ? 4 : 600));
        for (BYTE& b : inserted)
            b = (BYTE)random.Next();
        bytes.insert(bytes.begin() + nPick, inserted.begin(), inserted.end());
        return "insert";
    }
    case 3:
    {
        size_t nCut = std::min(nSize - nPick, 1 + random.Below(random.Below(2) ? 4 : 2000));
        bytes.erase(bytes.begin() + nPick, bytes.begin() + nPick + nCut);
        return "cut";
    }
    default:
        bytes.resize(nPick);
        return "truncate";
    }
}

// Changes the item: mostly inside an icon's image list with the record's size kept right, so
// that the change reaches the image list's own checks; otherwise anywhere in the block.
std::vector<BYTE> Mutate(CMutationRandom& random, const CItemParts& seed, std::string& strWhat)
{
    CItemParts parts = seed;
    const size_t nChanges = 1 + random.Below(random.Below(4) ? 1 : 4);
    std::vector<BYTE> bytes;
    bool bAssembled = false;
    for (size_t i = 0; i < nChanges; ++i)
    {
        const size_t nKind = random.Below(10);
        if (!bAssembled && nKind < 7 && !parts.images.empty())
        {
            const size_t nImage = random.Below(parts.images.size());
            std::vector<BYTE>& image = parts.images[nImage].second;
            const std::vector<BYTE>& original = seed.images[nImage].second;
            if (nKind < 4)
            {
                std::vector<std::pair<size_t, size_t>> fields = ImageListFields(original);
                const std::pair<size_t, size_t>& field = fields[random.Below(fields.size())];
                SetField(image, field.first, field.second,
                         EdgeValue(random, GetField(image, field.first, field.second)));
                strWhat += " image-field@" + std::to_string(field.first);
            }
            else
            {
                // Mostly in the list's header and both bitmaps' headers.
                const size_t nMask = MaskBitmapAt(original);
                strWhat += std::string(" image-") + MutateBytes(random, image, {{0, 82}, {nMask - 4, 70}});
            }
            continue;
        }
        if (!bAssembled)
        {
            bytes = parts.Assemble();
            bAssembled = true;
        }
        if (nKind < 9)
            strWhat += std::string(" ") + MutateBytes(random, bytes, {{0, seed.label.size() + 32}});
        else
        {
            // A count or size of the item itself.
            std::vector<size_t> fields = {seed.label.size(), seed.label.size() + 4};
            size_t nRecord = seed.label.size() + 8;
            for (const auto& image : seed.images)
            {
                fields.insert(fields.end(), {nRecord, nRecord + 4, nRecord + 8});
                nRecord += 12 + image.second.size();
            }
            fields.push_back(nRecord);
            const size_t nAt = fields[random.Below(fields.size())];
            SetField(bytes, nAt, 4, EdgeValue(random, GetField(bytes, nAt, 4)));
            strWhat += " item-field@" + std::to_string(nAt);
        }
    }
    return bAssembled ? bytes : parts.Assemble();
}

// Why an image list does not fit its record, empty when it does: its header, then two bitmaps
// of four images' width and whole image rows, the second a 1-bit mask, ending with the record.
std::string ImageListMisfit(const std::vector<BYTE>& image)
{
    if (image.size() < 28)
        return "shorter than its header";
    const WORD* pHeader = (const WORD*)image.data();
    WORD wCount = pHeader[2], wMax = pHeader[3], wCx = pHeader[5], wCy = pHeader[6], wFlags = pHeader[9];
    if (pHeader[0] != 0x4C49 || pHeader[1] != 0x101 || wCount < 1 || wCount > wMax || !wCx || !wCy ||
        !(wFlags & ILC_MASK))
        return "header";
    size_t nAt = 28;
    LONG nHeight = 0;
    for (int nBitmap = 0; nBitmap < 2; ++nBitmap)
    {
        if (image.size() < nAt + 54 || GetField(image, nAt, 2) != 0x4D42 || GetDword(image, nAt + 14) != 40)
            return "bitmap header";
        LONG nWidth = (LONG)GetDword(image, nAt + 18);
        if (!nBitmap)
            nHeight = (LONG)GetDword(image, nAt + 22);
        WORD wBits = (WORD)GetField(image, nAt + 28, 2);
        if (nWidth != 4 * wCx || nHeight <= 0 || nHeight % wCy || nHeight / wCy * 4 < wCount ||
            (LONG)GetDword(image, nAt + 22) != nHeight || GetField(image, nAt + 26, 2) != 1 ||
            GetDword(image, nAt + 30) != 0 || (nBitmap && wBits != 1) || !wBits || wBits > 32)
            return "bitmap size";
        size_t nColours = wBits <= 8 ? (size_t)1 << wBits : 0;
        nAt += 54 + nColours * 4 + ((size_t)nWidth * wBits + 31) / 32 * 4 * (size_t)nHeight;
    }
    return nAt == image.size() ? "" : "length";
}

// Why a block does not hold one item whose parts fit, empty when it does.
std::string ItemMisfit(const std::vector<BYTE>& bytes)
{
    size_t nAt = 0;
    while (nAt + 2 <= bytes.size() && (bytes[nAt] || bytes[nAt + 1]))
        nAt += 2;
    nAt += 2;
    if (nAt + 8 > bytes.size() || GetDword(bytes, nAt + 4) > 2)
        return "label, data or count";
    const DWORD dwCount = GetDword(bytes, nAt + 4);
    nAt += 8;
    bool bLists[2] = {false, false};
    for (DWORD i = 0; i < dwCount; ++i)
    {
        if (nAt + 12 > bytes.size() || bytes.size() - nAt - 12 < GetDword(bytes, nAt + 8))
            return "record";
        DWORD dwKind = GetDword(bytes, nAt), dwList = GetDword(bytes, nAt + 4), dwSize = GetDword(bytes, nAt + 8);
        std::vector<BYTE> image(bytes.begin() + nAt + 12, bytes.begin() + nAt + 12 + dwSize);
        nAt += 12 + dwSize;
        if (dwKind != 0)
            continue;
        if (dwList > 1 || bLists[dwList])
            return "image list kind";
        bLists[dwList] = true;
        std::string strImage = ImageListMisfit(image);
        if (!strImage.empty())
            return "image list: " + strImage;
    }
    if (nAt + 4 > bytes.size() || bytes.size() - nAt - 4 != GetDword(bytes, nAt))
        return "extra bytes";
    return "";
}

uint64_t g_nSeed = nDefaultSeed;
volatile LONG g_nBlock = -1;

// A crash in the run names the block to repeat.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pInfo)
{
    fprintf(stderr, "mutation run crashed (exception %08lx) on block %ld of seed %llu; repeat it with "
                    "TERVOK_MUTATION_SEED=%llu TERVOK_MUTATION_ONLY=%ld\n",
            (unsigned long)pInfo->ExceptionRecord->ExceptionCode, (long)g_nBlock, (unsigned long long)g_nSeed,
            (unsigned long long)g_nSeed, (long)g_nBlock);
    fflush(stderr);
    return EXCEPTION_CONTINUE_SEARCH;
}

class ShortcutItemMutationTest : public GuiTest
{
};
} // namespace

TEST_F(ShortcutItemMutationTest, AHundredThousandChangedItemsNeitherCrashTheReaderNorAreTakenWithPartsThatDoNotFit)
{
    if (const char* pszSeed = getenv("TERVOK_MUTATION_SEED"))
        g_nSeed = strtoull(pszSeed, nullptr, 10);
    const char* pszOnly = getenv("TERVOK_MUTATION_ONLY");
    const std::vector<CItemParts> seeds = {
        MakeSeed(L"One", true, false, 0),
        MakeSeed(L"Two icons", true, true, 4),
        MakeSeed(std::wstring(700, L'L').c_str(), true, true, 1000),
        MakeSeed(L"Z\u00fcrich \u65e5\u672c\u8a9e \U0001F600 e\u0301", false, true, 3),
    };
    for (const CItemParts& seed : seeds)
    {
        CShortcutItemPayload item;
        ASSERT_TRUE(ReadBlock(seed.Assemble(), item)) << item.GetError().GetString();
        ASSERT_EQ("", ItemMisfit(seed.Assemble())) << "a seed is well-formed";
    }
    ASSERT_EQ(1u, seeds[0].images.size());
    ASSERT_EQ(2u, seeds[1].images.size());

    LPTOP_LEVEL_EXCEPTION_FILTER pOldFilter = SetUnhandledExceptionFilter(ReportCrash);
    int nTaken = 0, nRefused = 0, nSame = 0;
    const char* pszCount = getenv("TERVOK_MUTATION_COUNT");
    const int nFirst = pszOnly ? atoi(pszOnly) : 0;
    const int nEnd = pszOnly ? nFirst + 1 : pszCount ? atoi(pszCount) : nBlocks;
    for (int n = nFirst; n < nEnd; ++n)
    {
        g_nBlock = n;
        CMutationRandom random(g_nSeed ^ ((uint64_t)n << 20));
        const CItemParts& seed = seeds[random.Below(seeds.size())];
        std::string strWhat;
        const std::vector<BYTE> bytes = Mutate(random, seed, strWhat);
        if (bytes == seed.Assemble())
            ++nSame;
        CShortcutItemPayload item;
        item.m_strText = L"before";
        BOOL bTaken = ReadBlock(bytes, item);
        const std::string strMisfit = ItemMisfit(bytes);
        if (!bTaken)
        {
            ++nRefused;
            ASSERT_EQ(CString(L"before"), item.m_strText) << "block " << n << ":" << strWhat;
            continue;
        }
        ++nTaken;
        ASSERT_EQ("", strMisfit) << "block " << n << " of seed " << g_nSeed << " was taken:" << strWhat;
        ASSERT_LE(item.m_strText.GetLength(), nLabelLimit) << "block " << n << ":" << strWhat;
        if (nTaken % 8)
            continue; // adding the icons costs; every eighth taken item shows that it can
        CImageList normal, small;
        const bool bIcons = item.HasImage(CShortcutItemPayload::imageNormal) ||
                            item.HasImage(CShortcutItemPayload::imageSmall);
        ASSERT_EQ(bIcons, item.AddImages(&normal, &small) >= 0) << "block " << n << ":" << strWhat;
    }
    SetUnhandledExceptionFilter(pOldFilter);
    printf("mutation run, seed %llu: %d blocks, %d taken, %d refused (%d unchanged by their mutations)\n",
           (unsigned long long)g_nSeed, nEnd - nFirst, nTaken, nRefused, nSame);
    EXPECT_EQ(nEnd - nFirst, nTaken + nRefused);
    if (!pszOnly && !pszCount)
    {
        EXPECT_GT(nRefused, nBlocks / 2) << "most changes break the item";
        EXPECT_GT(nTaken, nBlocks / 50) << "changes to the bits alone leave an item that is taken";
    }
}
