// The caption of the outstanding-alarms window's frame: "<name>: <rows>", then each filter set
// and " (max = <rows>)" when the list is full. " *" at its end marks new alarms not yet loaded.
#pragma once

#include "framework/core/CString.h"

class CWnd;

class CAlarmsFrameTitle
{
public:
    // The frame is the view's frame at each call; without one nothing is shown.
    explicit CAlarmsFrameTitle(const CWnd& view) : m_view(view) {}

    CString Get() const;
    void Set(const CString& strTitle) const;
    void MarkNewAlarms() const;
    void UnmarkNewAlarms() const;
    // The name before the count is kept ("Outstanding Alarms" when there is none yet).
    void ShowRows(int nRows, int nMaxRows, const CString& strFilterParts) const;

private:
    const CWnd& m_view;
};
