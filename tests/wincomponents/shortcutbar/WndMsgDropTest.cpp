#include "GuiTest.h"
#include "RealInput.h"

#include "framework/ole/COleDataSource.h"
#include "framework/window/AfxOleInit.h"
#include "wincomponents/shortcutbar/CWndMsgDropSource.h"
#include "wincomponents/shortcutbar/CWndMsgDropTarget.h"

#include <cstring>
#include <new>
#include <vector>

namespace
{
// An object placed in the top of the address space, where a 64-bit build's pointers need all
// their bits.
template <class T>
class CHighPlaced
{
public:
    CHighPlaced()
    {
        m_pMemory = VirtualAlloc(nullptr, sizeof(T), MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
        m_pObject = new (m_pMemory) T;
    }
    ~CHighPlaced()
    {
        m_pObject->~T();
        VirtualFree(m_pMemory, 0, MEM_RELEASE);
    }
    T* operator->() const { return m_pObject; }
    T& operator*() const { return *m_pObject; }
    T* Get() const { return m_pObject; }

private:
    void* m_pMemory;
    T* m_pObject;
};

struct CTargetNote
{
    UINT nMessage;
    DROPTARGETCALL call;
    BOOL bTextOffered;
};

// Notes every drop-target message; takes text as a copy and keeps the text dropped.
class CDropNoteWnd : public CWnd
{
public:
    std::vector<CTargetNote> m_notes;
    CString m_strDropped;
    BOOL m_bAnswer = TRUE;
    DWORD m_dwDropExResult = 0; // 0: leave the drop-ex call to the framework

    std::vector<UINT> Messages() const
    {
        std::vector<UINT> messages;
        for (const CTargetNote& note : m_notes)
            messages.push_back(note.nMessage);
        return messages;
    }
    const CTargetNote* Find(UINT nMessage) const
    {
        for (const CTargetNote& note : m_notes)
            if (note.nMessage == nMessage)
                return &note;
        return nullptr;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message < DROPTARGET_DRAGENTER || message > DROPTARGET_DROPEX)
            return CWnd::WindowProc(message, wParam, lParam);
        DROPTARGETCALL& call = *(DROPTARGETCALL*)lParam;
        // The pointers are used here, as a real window would: a cut pointer would not hold.
        BOOL bText = call.pWnd == this && call.pDataObject && call.pDataObject->IsDataAvailable(CF_UNICODETEXT);
        m_notes.push_back({message, call, bText});
        if (!m_bAnswer)
            return 0;
        switch (message)
        {
        case DROPTARGET_DRAGENTER:
        case DROPTARGET_DRAGOVER:
            call.result = bText ? DROPEFFECT_COPY : DROPEFFECT_NONE;
            return 1;
        case DROPTARGET_DROP:
            call.result = bText && TakeText(call.pDataObject);
            return 1;
        case DROPTARGET_DROPEX:
            call.result = m_dwDropExResult;
            return m_dwDropExResult != 0;
        default:
            return 0;
        }
    }

private:
    BOOL TakeText(COleDataObject* pDataObject)
    {
        HGLOBAL hText = pDataObject->GetGlobalData(CF_UNICODETEXT);
        if (!hText)
            return FALSE;
        m_strDropped = (const wchar_t*)GlobalLock(hText);
        GlobalUnlock(hText);
        GlobalFree(hText);
        return TRUE;
    }
};

struct CTargetSide
{
    CDropNoteWnd wnd;
    CWndMsgDropTarget dropTarget;
};

// Drags "dragged text" when pressed, with a drop source that tells it everything first.
class CDragNoteWnd : public CWnd
{
public:
    std::vector<std::pair<UINT, DROPSOURCECALL>> m_notes;
    DROPEFFECT m_dropResult = (DROPEFFECT)-1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= DROPSOURCE_GIVEFEEDBACK && message <= DROPSOURCE_QUERYCONTINUEDRAG)
        {
            m_notes.push_back({message, *(DROPSOURCECALL*)lParam});
            return 0;
        }
        if (message != WM_LBUTTONDOWN)
            return CWnd::WindowProc(message, wParam, lParam);
        COleDataSource source;
        const wchar_t szText[] = L"dragged text";
        HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, sizeof szText);
        memcpy(GlobalLock(hText), szText, sizeof szText);
        GlobalUnlock(hText);
        source.CacheGlobalData(CF_UNICODETEXT, hText);
        CWndMsgDropSource dropSource;
        dropSource.m_pWnd = this;
        m_dropResult = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, nullptr, &dropSource);
        return 0;
    }
};

class WndMsgDropTest : public GuiTest
{
protected:
    WndMsgDropTest() { AfxOleInit(); }

    void SetUp() override
    {
        if (sizeof(void*) == 8)
        {
            ASSERT_GT((ULONG_PTR)m_target.Get(), (ULONG_PTR)0xFFFFFFFF) << "the target must sit above 4 GB";
        }
        Show(m_source, CRect(100, 100, 300, 300));
        Show(m_target->wnd, CRect(400, 100, 600, 300));
        ASSERT_TRUE(m_target->dropTarget.Register(&m_target->wnd));
    }
    void Show(CWnd& wnd, const CRect& rect)
    {
        ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, nullptr, L"", WS_POPUP | WS_VISIBLE | WS_VSCROLL, rect, nullptr, 0));
        PumpUntilIdle();
    }
    // Presses on the source, drags onto the target's middle and lets the script end it there.
    void DragOntoTarget(const std::function<void()>& end)
    {
        RunWithRealInput([&] {
            RealMouseMove(POINT{200, 200});
            RealMouseButton(MOUSEEVENTF_LEFTDOWN);
            RealMouseGlide(POINT{200, 200}, POINT{500, 200}, 8);
            RealMouseGlide(POINT{500, 200}, POINT{510, 205}, 3);
            end();
        });
    }

    CDragNoteWnd m_source;
    CHighPlaced<CTargetSide> m_target;
};
} // namespace

TEST_F(WndMsgDropTest, ARealDragReachesTheTargetWindowAsCallRecordsAndTheDropIsTaken)
{
    DragOntoTarget([] { RealMouseButton(MOUSEEVENTF_LEFTUP); });

    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, m_source.m_dropResult);
    EXPECT_EQ(CString(L"dragged text"), m_target->wnd.m_strDropped);
    std::vector<UINT> messages = m_target->wnd.Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(DROPTARGET_DRAGSCROLL, messages.front()) << "the scroll test comes before the entry";
    EXPECT_EQ(DROPTARGET_DROP, messages.back());

    const CTargetNote* pEnter = m_target->wnd.Find(DROPTARGET_DRAGENTER);
    ASSERT_NE(nullptr, pEnter);
    EXPECT_EQ(&m_target->wnd, pEnter->call.pWnd);
    EXPECT_TRUE(pEnter->bTextOffered) << "the data object reached the window whole";
    EXPECT_TRUE(pEnter->call.dwKeyState & MK_LBUTTON);
    CRect rectClient;
    m_target->wnd.GetClientRect(&rectClient);
    EXPECT_TRUE(rectClient.PtInRect(CPoint(pEnter->call.x, pEnter->call.y))) << "client coordinates";

    const CTargetNote* pScroll = m_target->wnd.Find(DROPTARGET_DRAGSCROLL);
    EXPECT_EQ(&m_target->wnd, pScroll->call.pWnd);
    EXPECT_EQ(nullptr, pScroll->call.pDataObject);
    EXPECT_NE(nullptr, m_target->wnd.Find(DROPTARGET_DRAGOVER));

    const CTargetNote* pDropEx = m_target->wnd.Find(DROPTARGET_DROPEX);
    ASSERT_NE(nullptr, pDropEx);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, pDropEx->call.dropEffect);
    EXPECT_EQ((DROPEFFECT)(DROPEFFECT_COPY | DROPEFFECT_MOVE), pDropEx->call.dropList);
    const CTargetNote* pDrop = m_target->wnd.Find(DROPTARGET_DROP);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, pDrop->call.dropEffect);
    EXPECT_EQ(&m_target->wnd, pDrop->call.pWnd);
    EXPECT_TRUE(pDrop->bTextOffered);

    BOOL bBegin = FALSE, bContinueHeld = FALSE, bCopyFeedback = FALSE;
    for (const auto& note : m_source.m_notes)
    {
        bBegin |= note.first == DROPSOURCE_BEGINDRAG && note.second.pWnd == &m_source;
        bContinueHeld |= note.first == DROPSOURCE_QUERYCONTINUEDRAG && (note.second.dwKeyState & MK_LBUTTON);
        bCopyFeedback |= note.first == DROPSOURCE_GIVEFEEDBACK && note.second.dropEffect == DROPEFFECT_COPY;
    }
    EXPECT_TRUE(bBegin);
    EXPECT_TRUE(bContinueHeld);
    EXPECT_TRUE(bCopyFeedback);
}

TEST_F(WndMsgDropTest, EscapeCancelsARealDragOverTheTargetWithoutADrop)
{
    DragOntoTarget([] {
        RealKey(VK_ESCAPE, TRUE);
        RealKey(VK_ESCAPE, FALSE);
        RealMouseMove(POINT{520, 210});
        RealMouseButton(MOUSEEVENTF_LEFTUP);
    });

    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, m_source.m_dropResult);
    EXPECT_NE(nullptr, m_target->wnd.Find(DROPTARGET_DRAGENTER));
    EXPECT_EQ(DROPTARGET_DRAGLEAVE, m_target->wnd.Messages().back());
    EXPECT_EQ(nullptr, m_target->wnd.Find(DROPTARGET_DROP));
    EXPECT_TRUE(m_target->wnd.m_strDropped.IsEmpty());
    BOOL bEscapeSeen = FALSE;
    for (const auto& note : m_source.m_notes)
        bEscapeSeen |= note.first == DROPSOURCE_QUERYCONTINUEDRAG && note.second.bEscapePressed;
    EXPECT_TRUE(bEscapeSeen);
}

TEST_F(WndMsgDropTest, AWindowThatAnswersNothingRefusesEverythingAndNeverScrolls)
{
    m_target->wnd.m_bAnswer = FALSE;
    CWndMsgDropTarget& target = m_target->dropTarget;
    CDropNoteWnd& wnd = m_target->wnd;
    COleDataObject data;
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, target.OnDragEnter(&wnd, &data, MK_LBUTTON, CPoint(50, 50)));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, target.OnDragOver(&wnd, &data, MK_LBUTTON, CPoint(50, 50)));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, target.OnDragScroll(&wnd, MK_LBUTTON, CPoint(50, 2)))
        << "no automatic scrolling near the edge of a window with a scroll bar";
    EXPECT_FALSE(target.OnDrop(&wnd, &data, DROPEFFECT_COPY, CPoint(50, 50)));
    EXPECT_EQ((DROPEFFECT)-1, target.OnDropEx(&wnd, &data, DROPEFFECT_COPY, DROPEFFECT_COPY, CPoint(50, 50)))
        << "the drop is left to the framework";
    ASSERT_EQ(5u, wnd.m_notes.size());
    EXPECT_EQ(&data, wnd.m_notes[0].call.pDataObject);
    EXPECT_EQ(50, wnd.m_notes[3].call.y);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, wnd.m_notes[3].call.dropEffect);

    CWndMsgDropSource source;
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(TRUE, MK_LBUTTON)) << "without a window: the base's";
    EXPECT_EQ(DRAGDROP_S_DROP, source.QueryContinueDrag(FALSE, 0));
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source.GiveFeedback(DROPEFFECT_MOVE));
}

TEST_F(WndMsgDropTest, AWindowsAnswerToTheExtendedDropIsWhatTheSystemGets)
{
    m_target->wnd.m_dwDropExResult = DROPEFFECT_LINK;
    COleDataObject data;
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_LINK,
              m_target->dropTarget.OnDropEx(&m_target->wnd, &data, DROPEFFECT_COPY, DROPEFFECT_LINK, CPoint(1, 2)));
    ASSERT_EQ(1u, m_target->wnd.m_notes.size());
    EXPECT_EQ(&m_target->wnd, m_target->wnd.m_notes[0].call.pWnd);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_LINK, m_target->wnd.m_notes[0].call.dropList);
}

TEST_F(WndMsgDropTest, AClickWithoutMovingStartsNoDrag)
{
    RunWithRealInput([] {
        RealMouseMove(POINT{200, 200});
        RealMouseButton(MOUSEEVENTF_LEFTDOWN);
        RealMouseMove(POINT{201, 201}); // inside the start rectangle
        RealMouseButton(MOUSEEVENTF_LEFTUP);
    });

    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, m_source.m_dropResult);
    ASSERT_FALSE(m_source.m_notes.empty());
    EXPECT_EQ(DROPSOURCE_BEGINDRAG, m_source.m_notes.front().first);
    EXPECT_EQ(1u, m_source.m_notes.size()) << "the drag loop never ran";
    EXPECT_TRUE(m_target->wnd.m_notes.empty());
}
