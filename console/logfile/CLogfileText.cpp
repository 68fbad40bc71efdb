#include "console/logfile/CLogfileText.h"

#include "console/logfile/CLogfileRtf.h"
#include "console/logfile/CRichEditImageInserter.h"
#include "framework/controls/CRichEditCtrl.h"
#include "framework/files/CFile.h"
#include "framework/gdi/CBitmap.h"
#include "resources/console/BelvaneRes.h"
#include "support/ReplacingWrite.h"

#include <richedit.h>

namespace
{
CLogfileText::PictureInserter& Inserter()
{
    static CLogfileText::PictureInserter s_fn;
    return s_fn;
}

CLogfileText::RtfWriter& Writer()
{
    static CLogfileText::RtfWriter s_fn;
    return s_fn;
}

DWORD CALLBACK CollectStream(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    CStringA* pStream = (CStringA*)dwCookie;
    pStream->Append((const char*)pbBuff, cb);
    *pcb = cb;
    return 0;
}

// An RTF document ends with the brace that closes its group.
BOOL EndsWholeDocument(const CStringA& strStream)
{
    CStringA strEnd = strStream;
    strEnd.TrimRight();
    while (!strEnd.IsEmpty() && strEnd[strEnd.GetLength() - 1] == '\0')
        strEnd = strEnd.Left(strEnd.GetLength() - 1);
    return !strEnd.IsEmpty() && strEnd[0] == '{' && strEnd[strEnd.GetLength() - 1] == '}';
}
} // namespace

CLogfileText::PictureInserter CLogfileText::SetPictureInserter(PictureInserter fn)
{
    PictureInserter previous = Inserter();
    Inserter() = std::move(fn);
    return previous;
}

CLogfileText::RtfWriter CLogfileText::SetRtfWriter(RtfWriter fn)
{
    RtfWriter previous = Writer();
    Writer() = std::move(fn);
    return previous;
}

UINT CLogfileText::PictureOf(int nLevel)
{
    switch (nLevel)
    {
    case 1:
        return IDB_LEVEL_WARNING;
    case 2:
        return IDB_LEVEL_ERROR;
    default:
        return IDB_LEVEL_INFORMATION;
    }
}

HRESULT CLogfileText::InsertPicture(UINT nBitmap)
{
    IRichEditOle* pRichEditOle = m_pRichEdit->GetIRichEditOle();
    CBitmap bitmap;
    bitmap.LoadBitmap(nBitmap);
    HRESULT hr = Inserter() ? Inserter()(pRichEditOle, bitmap) : CRichEditImageInserter::InsertBitmap(pRichEditOle, bitmap);
    if (pRichEditOle)
        pRichEditOle->Release();
    return hr;
}

BOOL CLogfileText::AppendLine(int nLevel, const wchar_t* pszText)
{
    long nEnd = TextLength();
    m_pRichEdit->SetSel(nEnd, nEnd);
    HRESULT hr = InsertPicture(PictureOf(nLevel));
    m_pRichEdit->ReplaceSel(CString(pszText) + L"\r\n", FALSE);
    if (FAILED(hr))
        return FALSE;
    m_arrPictures.Add(PictureOf(nLevel));
    return TRUE;
}

void CLogfileText::Erase()
{
    m_pRichEdit->SetWindowText(L"");
    m_arrPictures.RemoveAll();
}

BOOL CLogfileText::StreamOut(UINT nFormat, CStringA& strStream) const
{
    strStream.Empty();
    EDITSTREAM stream = {(DWORD_PTR)&strStream, 0, CollectStream};
    m_pRichEdit->StreamOut((int)nFormat, stream);
    return stream.dwError == 0 && EndsWholeDocument(strStream);
}

// In characters, a picture counting one, line breaks as the control keeps them.
long CLogfileText::TextLength() const
{
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    return (long)m_pRichEdit->SendMessage(EM_GETTEXTLENGTHEX, (WPARAM)&length);
}

CString CLogfileText::PlainText() const
{
    int nLength = (int)TextLength();
    CString strText;
    GETTEXTEX get = {(DWORD)((nLength + 1) * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    m_pRichEdit->SendMessage(EM_GETTEXTEX, (WPARAM)&get, (LPARAM)strText.GetBuffer(nLength + 1));
    strText.ReleaseBuffer();
    return strText;
}

CStringA CLogfileText::OwnRtf() const
{
    std::vector<CLogfileRtf::Picture> pictures;
    if (IRichEditOle* pRichEditOle = m_pRichEdit->GetIRichEditOle())
    {
        LONG nCount = std::min(pRichEditOle->GetObjectCount(), (LONG)m_arrPictures.GetSize());
        for (LONG i = 0; i < nCount; ++i)
        {
            REOBJECT reobject = {};
            reobject.cbStruct = sizeof reobject;
            if (SUCCEEDED(pRichEditOle->GetObject(i, &reobject, REO_GETOBJ_NO_INTERFACES)))
                pictures.push_back(CLogfileRtf::Picture(reobject.cp, m_arrPictures[(int)i]));
        }
        pRichEditOle->Release();
    }
    return CLogfileRtf::Build(PlainText(), pictures);
}

CStringA CLogfileText::WholeRtf() const
{
    CStringA strRtf;
    return StreamOut(SF_RTF, strRtf) ? strRtf : OwnRtf();
}

BOOL CLogfileText::SaveRtf(const CString& strPath) const
{
    CStringA strRtf = WholeRtf();
    return WriteBesideThenReplace(strPath, [&strRtf](const wchar_t* pszNewFile) {
        CFile file;
        if (!file.Open(pszNewFile, CFile::modeCreate | CFile::modeWrite))
            return FALSE;
        try
        {
            if (Writer())
                Writer()(file, strRtf);
            else
                file.Write(strRtf.GetString(), (UINT)strRtf.GetLength());
            file.Close();
        }
        catch (const CFileException&)
        {
            return FALSE;
        }
        return TRUE;
    });
}
