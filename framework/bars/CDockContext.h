// Moves a bar with the mouse: a tracker rectangle follows the cursor until the button is let go;
// over one of the frame's dock bars that the bar may dock to it docks there at the tracker,
// elsewhere it floats in a mini frame at the tracker. A double click toggles between the last
// docked place and the last floating place.
#pragma once

#include "framework/gdi/CRect.h"

#include <windows.h>

class CControlBar;
class CDockBar;

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);

    // Runs the drag from a point in screen coordinates; Escape cancels it.
    void StartDrag(CPoint pt);
    void ToggleDocking();
    // Where the drag would put the bar: a dock bar, or null to float.
    CDockBar* DockBarAt(CPoint pt, const CRect& rectTracker) const;
    // Ends a drag at that point: docks or floats the bar there.
    void EndDrag(CPoint pt);

    CControlBar* m_pBar;
    UINT m_uMRUDockID;       // the dock bar the bar last sat on
    CRect m_rectMRUDockPos;  // its place there, in screen coordinates
    int m_nMRURow;           // its row there when it had the row to itself, else -1
    CPoint m_ptMRUFloatPos;  // where it last floated, in screen coordinates

private:
    void DrawTracker(const CRect& rect) const;
    CRect TrackerAt(CPoint pt) const;

    CPoint m_ptStart;   // the press
    CRect m_rectStart;  // the bar's window at the press
};
