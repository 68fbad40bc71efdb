// What a frame needs to make its view: the view's class and the document it shows.
#pragma once

#include "framework/core/CObject.h"

class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext
{
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
