// The console's toolbar: 32 x 32 colour images in three looks made from one bitmap (paler at
// rest, full colour under the mouse, grey when disabled) and text labels under the images that
// can be switched on and off. Magenta pixels keep their colour through the processing so that
// the mask colour cuts them out.
#pragma once

#include "framework/bars/CToolBar.h"
#include "framework/gdi/CImageList.h"
#include "wincomponents/pictures/CImageBitmap.h"

class CColorToolBar : public CToolBar
{
    DECLARE_DYNAMIC(CColorToolBar)
public:
    CColorToolBar();
    ~CColorToolBar() override;

    // The hot, disabled and normal image lists from one bitmap resource; FALSE when the bitmap
    // or an image list cannot be made.
    BOOL LoadImageLists(UINT nIDBitmap, COLORREF crMask);
    // Labels under the images, or none; the two button sizes are measured once.
    void ShowButtonText(BOOL bShow);
    BOOL IsButtonTextShown() const { return m_bShowText; }
    // The button sizes without and with labels (empty until measured).
    const CRect& GetPlainRect() const { return m_rectPlain; }
    const CRect& GetLabelledRect() const { return m_rectLabelled; }

    // The label of a command in the label table, or null.
    static const wchar_t* LabelOf(UINT nID);

protected:
    // An image list of the image size from the bitmap, given to the control with nMessage.
    BOOL MakeImageList(CImageList& imageList, CBitmap& bitmap, COLORREF crMask, UINT nMessage);
    void MeasureButtons();
    CSize MeasureText(const wchar_t* pszText) const;

    CImageList m_ilHot;
    CImageList m_ilDisabled;
    CImageList m_ilNormal;
    CBitmap m_bmpHot;
    CImageBitmap m_bmpDisabled;
    CImageBitmap m_bmpNormal;
    int m_nImageWidth;
    int m_nImageHeight;
    BOOL m_bShowText;
    CRect m_rectPlain;
    CRect m_rectLabelled;
};
