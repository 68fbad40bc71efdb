// The text of the log window in its rich edit control: lines that begin with their level's
// picture, emptied on request, and saved as RTF. The control belongs to the log form.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/CUIntArray.h"

#include <windows.h>
#include <richole.h>

class CFile;
class CRichEditCtrl;

#include <functional>

class CLogfileText
{
public:
    explicit CLogfileText(CRichEditCtrl* pRichEdit = nullptr) : m_pRichEdit(pRichEdit) {}
    virtual ~CLogfileText() {}

    CRichEditCtrl* m_pRichEdit;

    // The bitmap of a level: 1 warning, 2 error, anything else information.
    static UINT PictureOf(int nLevel);

    // The picture, the text and a line break at the end. When the picture cannot be made the
    // text is added without it and the result is FALSE.
    BOOL AppendLine(int nLevel, const wchar_t* pszText);
    void Erase();

    // The control's contents as the control streams them (nFormat SF_RTF or SF_RTFNOOBJS);
    // TRUE when the stream ended with the document's closing brace.
    BOOL StreamOut(UINT nFormat, CStringA& strStream) const;
    // The RTF of the whole log: the control's own stream, or where the control cannot stream
    // it whole (Wine's rich edit stops at the first picture), the log's own RTF.
    CStringA WholeRtf() const;
    // Writes WholeRtf to the file byte for byte, beside it first: a save that fails (FALSE)
    // leaves the file as it was.
    BOOL SaveRtf(const CString& strPath) const;

    // The picture insertion, replaceable so that a test can make it fail.
    typedef std::function<HRESULT(IRichEditOle*, HBITMAP)> PictureInserter;
    static PictureInserter SetPictureInserter(PictureInserter fn);
    // The writing of the RTF into the open file, replaceable so that a test can make it fail
    // (it throws CFileException as a full disk does).
    typedef std::function<void(CFile&, const CStringA&)> RtfWriter;
    static RtfWriter SetRtfWriter(RtfWriter fn);

private:
    HRESULT InsertPicture(UINT nBitmap);
    long TextLength() const;
    CString PlainText() const;
    CStringA OwnRtf() const;

    // The bitmap of every picture in the text, in order.
    CUIntArray m_arrPictures;
};
