// RTF of the log written by the console itself, for rich edit controls that cannot stream
// their pictures (Wine's stops at the first one): the text line by line, each picture as a
// device-independent bitmap of its resource.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

#include <utility>
#include <vector>

class CLogfileRtf
{
public:
    // A picture at a character position of the text, by its bitmap resource.
    typedef std::pair<LONG, UINT> Picture;

    // strText: the control's characters, paragraphs ended by "\r", one character standing for
    // each picture; pictures in ascending position.
    static CStringA Build(const CString& strText, const std::vector<Picture>& pictures);
    // "{\pict\dibitmap0 ...}" of the bitmap resource; empty when it cannot be loaded.
    static CStringA PictureGroup(UINT nBitmap);
    // The text with RTF's special characters escaped and other than ASCII as "\uN?".
    static CStringA EscapeText(const CString& strText);
};
