// A form view with one report list that fills it, its single column naming the window: the
// view of the windows whose own views come later.
#pragma once

#include "wincomponents/CResizableFormView.h"

class CStandInListView : public CResizableFormView
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
