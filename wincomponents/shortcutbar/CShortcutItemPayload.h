// What a dragged shortcut-bar item carries, under the public clipboard format "Shortcut bar child
// window item": its label, its item data, its normal and small icons and the owner's extra bytes.
// Any program may offer that format, so reading checks every count and length against the
// block and takes nothing from a block that does not hold exactly one well-formed item.
#pragma once

#include "framework/core/CString.h"
#include "framework/gdi/CImageList.h"

#include <ole2.h>

#include <vector>

class COleDataObject;

class CShortcutItemPayload
{
public:
    enum ImageKind { imageNormal = 0, imageSmall = 1 };
    // A label read longer than this is cut to it: a list lays out and paints a label of some
    // hundred thousand characters for seconds. The side bar uses the first 512 of a label.
    static constexpr int nMaxLabelLength = 512;

    CShortcutItemPayload() : m_dwData(0) {}

    static CLIPFORMAT GetClipboardFormat();

    // The image nImage of the list, left out when there is no list or it yields no bytes.
    void SetImage(ImageKind nKind, CImageList* pImageList, int nImage);
    BOOL HasImage(ImageKind nKind) const { return !m_images[nKind].empty(); }
    // Appends the carried icons to the lists (creating a list that has no handle yet); the index
    // of the last icon added to either, -1 when none was.
    int AddImages(CImageList* pNormalList, CImageList* pSmallList) const;

    // A new zero-initialised global block holding the item, null when memory runs out.
    HGLOBAL Write() const;
    // The item in hGlobal, its label cut to nMaxLabelLength; FALSE (with the reason in GetError)
    // for a block that is empty, cut short, longer than its contents or inconsistent, and then
    // this payload stays as it was.
    BOOL Read(HGLOBAL hGlobal);
    // The same for the data object's block in the item format; FALSE when it offers none.
    BOOL Read(COleDataObject* pDataObject);
    const CString& GetError() const { return m_strError; }

    CString m_strText;
    DWORD m_dwData;
    std::vector<BYTE> m_extra;

private:
    BOOL Parse(const BYTE* pBytes, size_t nBytes, CShortcutItemPayload& item);
    BOOL Refuse(const wchar_t* pszReason);

    std::vector<BYTE> m_images[2];
    CString m_strError;
};
