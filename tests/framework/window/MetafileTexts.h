// The texts that a recorded page draws, in drawing order: what a print or its preview put on
// the page, read back from the page's metafile.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

#include <vector>

inline int CALLBACK CollectMetafileText(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    if (pRecord->iType == EMR_EXTTEXTOUTW)
    {
        const EMREXTTEXTOUTW* pText = (const EMREXTTEXTOUTW*)pRecord;
        const wchar_t* pszText = (const wchar_t*)((const BYTE*)pRecord + pText->emrtext.offString);
        ((std::vector<CString>*)lParam)->push_back(CString(pszText, (int)pText->emrtext.nChars));
    }
    return 1;
}

inline std::vector<CString> MetafileTexts(HENHMETAFILE hPage)
{
    std::vector<CString> texts;
    EnumEnhMetaFile(nullptr, hPage, CollectMetafileText, &texts, nullptr);
    return texts;
}

// Every text of the pages, page after page.
inline std::vector<CString> PagesTexts(const std::vector<HENHMETAFILE>& pages)
{
    std::vector<CString> texts;
    for (HENHMETAFILE hPage : pages)
        for (const CString& strText : MetafileTexts(hPage))
            texts.push_back(strText);
    return texts;
}

inline void DeletePages(std::vector<HENHMETAFILE>& pages)
{
    for (HENHMETAFILE hPage : pages)
        DeleteEnhMetaFile(hPage);
    pages.clear();
}
