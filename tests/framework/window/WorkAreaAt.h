// Window placements converted as Windows converts them for a work area whose corner lies at the
// given point (the taskbar at the top or left), for as long as the object lives. Wine keeps its
// work area at the screen's corner and gives placements in screen coordinates.
#pragma once

#include "framework/window/AfxWindowPlacement.h"

class CWorkAreaAt
{
public:
    explicit CWorkAreaAt(POINT ptOrigin) : m_ptBefore(AfxSetWorkspaceOrigin(ptOrigin)) {}
    ~CWorkAreaAt() { AfxSetWorkspaceOrigin(m_ptBefore); }
    CWorkAreaAt(const CWorkAreaAt&) = delete;
    CWorkAreaAt& operator=(const CWorkAreaAt&) = delete;

private:
    POINT m_ptBefore;
};
