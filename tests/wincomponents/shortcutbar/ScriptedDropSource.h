// A drop source for driving the drag loop without the mouse: the drag begins at once and, on the
// loop's first turn, the script runs; then the drag is cancelled.
#pragma once

#include "framework/ole/COleDropSource.h"

#include <functional>

class CScriptedDropSource : public COleDropSource
{
public:
    std::function<void()> m_script;

    BOOL OnBeginDrag(CWnd*) override { return TRUE; }
    SCODE QueryContinueDrag(BOOL, DWORD) override
    {
        std::function<void()> script;
        script.swap(m_script);
        if (script)
            script();
        return DRAGDROP_S_CANCEL;
    }
};
