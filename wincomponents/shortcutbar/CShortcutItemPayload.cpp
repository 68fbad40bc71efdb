#include "wincomponents/shortcutbar/CShortcutItemPayload.h"

#include "framework/ole/COleDataObject.h"
#include "wincomponents/shortcutbar/ImageMemory.h"

#include <cstdlib>
#include <cstring>

namespace
{
const DWORD dwIconRecord = 0;
const DWORD dwMaxImages = 2;

// Reads the block front to back and never past its end.
class CBlockReader
{
public:
    CBlockReader(const BYTE* pBytes, size_t nBytes) : m_pBytes(pBytes), m_nBytes(nBytes), m_nPos(0) {}

    BOOL ReadDword(DWORD& dw)
    {
        const BYTE* p = nullptr;
        if (!ReadBytes(sizeof dw, p))
            return FALSE;
        memcpy(&dw, p, sizeof dw);
        return TRUE;
    }
    BOOL ReadBytes(size_t nCount, const BYTE*& p)
    {
        if (nCount > m_nBytes - m_nPos)
            return FALSE;
        p = m_pBytes + m_nPos;
        m_nPos += nCount;
        return TRUE;
    }
    // A NUL-terminated UTF-16 text starting at the current position.
    BOOL ReadText(CString& strText)
    {
        for (size_t nEnd = m_nPos; nEnd + 2 <= m_nBytes; nEnd += 2)
        {
            if (m_pBytes[nEnd] == 0 && m_pBytes[nEnd + 1] == 0)
            {
                std::wstring text((nEnd - m_nPos) / 2, L'\0');
                memcpy(&text[0], m_pBytes + m_nPos, nEnd - m_nPos);
                strText = CString(text);
                m_nPos = nEnd + 2;
                return TRUE;
            }
        }
        return FALSE;
    }
    BOOL AtEnd() const { return m_nPos == m_nBytes; }

private:
    const BYTE* m_pBytes;
    size_t m_nBytes;
    size_t m_nPos;
};

// The first nMax characters of the text, one fewer when the last of them would be the first half
// of a pair.
CString CutText(const CString& strText, int nMax)
{
    if (strText.GetLength() <= nMax)
        return strText;
    int nKept = IS_HIGH_SURROGATE(strText[nMax - 1]) ? nMax - 1 : nMax;
    return strText.Left(nKept);
}

void AppendDword(std::vector<BYTE>& out, DWORD dw)
{
    const BYTE* p = (const BYTE*)&dw;
    out.insert(out.end(), p, p + sizeof dw);
}

void AppendBytes(std::vector<BYTE>& out, const std::vector<BYTE>& bytes)
{
    AppendDword(out, (DWORD)bytes.size());
    out.insert(out.end(), bytes.begin(), bytes.end());
}
} // namespace

CLIPFORMAT CShortcutItemPayload::GetClipboardFormat()
{
    static const CLIPFORMAT s_cfItem = (CLIPFORMAT)RegisterClipboardFormatW(L"Shortcut bar child window item");
    return s_cfItem;
}

void CShortcutItemPayload::SetImage(ImageKind nKind, CImageList* pImageList, int nImage)
{
    m_images[nKind].clear();
    UINT nBytes = 0;
    BYTE* pBytes = pImageList ? CopyImageToMemory(pImageList, nImage, &nBytes) : nullptr;
    if (!pBytes)
        return;
    m_images[nKind].assign(pBytes, pBytes + nBytes);
    free(pBytes);
}

int CShortcutItemPayload::AddImages(CImageList* pNormalList, CImageList* pSmallList) const
{
    CImageList* lists[] = {pNormalList, pSmallList};
    int nLast = -1;
    for (int nKind = imageNormal; nKind <= imageSmall; ++nKind)
    {
        if (m_images[nKind].empty() || !lists[nKind])
            continue;
        int nIndex = CopyImageFromMemory(lists[nKind], m_images[nKind].data(), (UINT)m_images[nKind].size());
        if (nIndex >= 0)
            nLast = nIndex;
    }
    return nLast;
}

HGLOBAL CShortcutItemPayload::Write() const
{
    std::vector<BYTE> bytes;
    const BYTE* pText = (const BYTE*)m_strText.GetString();
    bytes.insert(bytes.end(), pText, pText + (m_strText.GetLength() + 1) * sizeof(wchar_t));
    AppendDword(bytes, m_dwData);
    AppendDword(bytes, (DWORD)(HasImage(imageNormal) + HasImage(imageSmall)));
    for (int nKind = imageNormal; nKind <= imageSmall; ++nKind)
    {
        if (m_images[nKind].empty())
            continue;
        AppendDword(bytes, dwIconRecord);
        AppendDword(bytes, (DWORD)nKind);
        AppendBytes(bytes, m_images[nKind]);
    }
    AppendBytes(bytes, m_extra);

    HGLOBAL hGlobal = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    void* p = hGlobal ? GlobalLock(hGlobal) : nullptr;
    if (!p)
    {
        if (hGlobal)
            GlobalFree(hGlobal);
        return nullptr;
    }
    memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(hGlobal);
    return hGlobal;
}

BOOL CShortcutItemPayload::Refuse(const wchar_t* pszReason)
{
    m_strError = pszReason;
    return FALSE;
}

BOOL CShortcutItemPayload::Parse(const BYTE* pBytes, size_t nBytes, CShortcutItemPayload& item)
{
    CBlockReader reader(pBytes, nBytes);
    DWORD dwCount = 0;
    if (!reader.ReadText(item.m_strText))
        return Refuse(L"The dropped item's label has no end.");
    if (!reader.ReadDword(item.m_dwData) || !reader.ReadDword(dwCount))
        return Refuse(L"The dropped item is cut short.");
    if (dwCount > dwMaxImages)
        return Refuse(L"The dropped item claims more images than an item has.");
    for (DWORD i = 0; i < dwCount; ++i)
    {
        DWORD dwKind = 0, dwList = 0, dwSize = 0;
        const BYTE* pImage = nullptr;
        if (!reader.ReadDword(dwKind) || !reader.ReadDword(dwList) || !reader.ReadDword(dwSize) ||
            !reader.ReadBytes(dwSize, pImage))
            return Refuse(L"The dropped item's image runs past its end.");
        if (dwKind != dwIconRecord)
            continue; // another kind of record, for another reader
        if (dwList > imageSmall || !item.m_images[dwList].empty() || dwSize == 0)
            return Refuse(L"The dropped item's images are inconsistent.");
        CImageList trial;
        if (CopyImageFromMemory(&trial, pImage, dwSize) < 0)
            return Refuse(L"The dropped item's image is no icon.");
        item.m_images[dwList].assign(pImage, pImage + dwSize);
    }
    DWORD dwExtra = 0;
    const BYTE* pExtra = nullptr;
    if (!reader.ReadDword(dwExtra) || !reader.ReadBytes(dwExtra, pExtra))
        return Refuse(L"The dropped item's extra data runs past its end.");
    if (!reader.AtEnd())
        return Refuse(L"The dropped item is longer than its contents.");
    item.m_extra.assign(pExtra, pExtra + dwExtra);
    return TRUE;
}

BOOL CShortcutItemPayload::Read(HGLOBAL hGlobal)
{
    SIZE_T nBytes = hGlobal ? GlobalSize(hGlobal) : 0;
    if (nBytes == 0)
        return Refuse(L"The dropped item is empty.");
    const BYTE* pBytes = (const BYTE*)GlobalLock(hGlobal);
    if (!pBytes)
        return Refuse(L"The dropped item cannot be read.");
    CShortcutItemPayload item;
    BOOL bParsed = Parse(pBytes, nBytes, item);
    GlobalUnlock(hGlobal);
    if (!bParsed)
        return FALSE;
    m_strText = CutText(item.m_strText, nMaxLabelLength);
    m_dwData = item.m_dwData;
    m_extra.swap(item.m_extra);
    for (int nKind = imageNormal; nKind <= imageSmall; ++nKind)
        m_images[nKind].swap(item.m_images[nKind]);
    m_strError.Empty();
    return TRUE;
}

BOOL CShortcutItemPayload::Read(COleDataObject* pDataObject)
{
    HGLOBAL hGlobal = pDataObject->GetGlobalData(GetClipboardFormat());
    if (!hGlobal)
        return Refuse(L"The dropped data holds no shortcut bar item.");
    BOOL bRead = Read(hGlobal);
    GlobalFree(hGlobal);
    return bRead;
}
