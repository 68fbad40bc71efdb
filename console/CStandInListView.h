// A form view with one report list that fills it, its single column naming the window: the
// view of the windows whose own views come later.
#pragma once

#include "framework/frames/CFormView.h"

class CStandInListView : public CFormView
{
    DECLARE_DYNAMIC(CStandInListView)
public:
    explicit CStandInListView(const wchar_t* pszColumn);

    void OnInitialUpdate() override;

protected:
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CString m_strColumn;
};
