#include "GuiTest.h"

#include "console/app/InputHooks.h"

namespace
{
// A clock the test sets by hand.
class InputHooksTest : public GuiTest
{
protected:
    InputHooksTest()
    {
        ResetInputState();
        SetInputClock([this] { return m_now; });
        GetCursorPos(&m_ptStart);
    }
    ~InputHooksTest() override
    {
        RemoveInputHooks();
        SetInputClock(nullptr);
        ResetInputState();
        SetCursorPos(m_ptStart.x, m_ptStart.y);
    }

    void At(long long nSeconds, int nMilliseconds) { m_now = InputStamp{nSeconds, nMilliseconds}; }
    static void Mouse(UINT message) { hookMouseProc(HC_ACTION, message, 0); }

    InputStamp m_now = {1700000000, 0};
    POINT m_ptStart = {};
};
} // namespace

TEST_F(InputHooksTest, NothingCountsBeforeTheFirstInput)
{
    EXPECT_FALSE(UserInputWithin(5));
    EXPECT_FALSE(UserInputWithin(1000000));
}

TEST_F(InputHooksTest, AKeyCountsForExactlyTheGivenSeconds)
{
    At(1700000100, 900);
    hookKeyboardProc(HC_ACTION, 'A', 0);
    EXPECT_TRUE(UserInputWithin(5));
    At(1700000105, 900);
    EXPECT_TRUE(UserInputWithin(5)) << "5000 ms is still within 5 s";
    At(1700000105, 901);
    EXPECT_FALSE(UserInputWithin(5));
    EXPECT_TRUE(UserInputWithin(6));
    // Milliseconds below the stamp's borrow from the seconds.
    At(1700000101, 899);
    EXPECT_TRUE(UserInputWithin(1)) << "999 ms";
    EXPECT_FALSE(UserInputWithin(0));
    // A key release counts like a press.
    At(1700000200, 0);
    hookKeyboardProc(HC_ACTION, 'A', (LPARAM)0xC0000001);
    EXPECT_TRUE(UserInputWithin(0));
}

TEST_F(InputHooksTest, InputIsStampedOnTheSystemTickWhichTheWallClockCannotSetBack)
{
    SetInputClock(nullptr);
    hookKeyboardProc(HC_ACTION, 'A', 0);
    EXPECT_TRUE(UserInputWithin(1));
    // Ten seconds later on the system's tick: the stamp was taken on that tick, so its age shows.
    ULONGLONG nLater = GetTickCount64() + 10000;
    SetInputClock([nLater] { return InputStamp{(long long)(nLater / 1000), (int)(nLater % 1000)}; });
    EXPECT_FALSE(UserInputWithin(5)) << "ten seconds old";
    EXPECT_TRUE(UserInputWithin(15));
}

TEST_F(InputHooksTest, OnlyAMoveToAnotherPlaceCountsOfTheMouse)
{
    SetCursorPos(100, 120);
    At(1700000000, 0);
    Mouse(WM_MOUSEMOVE); // first position seen
    At(1700000010, 0);
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    Mouse(WM_MOUSEWHEEL);
    Mouse(WM_MOUSEMOVE); // the cursor is where it was
    EXPECT_FALSE(UserInputWithin(5)) << "a click without movement is no input";
    SetCursorPos(140, 150);
    Mouse(WM_MOUSEMOVE);
    EXPECT_TRUE(UserInputWithin(0));
}

TEST_F(InputHooksTest, TheInstalledHooksSeeRealKeys)
{
    SetInputClock(nullptr);
    ASSERT_TRUE(InstallInputHooks(GetModuleHandleW(nullptr)));
    Host();
    SetForegroundWindow(Host().m_hWnd);
    PumpUntilIdle();
    // Wine may send the new window a mouse move, which counts as input: let it age past 1 s.
    Sleep(1100);
    PumpUntilIdle();
    EXPECT_FALSE(UserInputWithin(1));
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_SHIFT;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(2u, SendInput(2, keys, sizeof(INPUT)));
    for (int i = 0; i < 50 && !UserInputWithin(1); ++i)
    {
        Sleep(20);
        PumpUntilIdle();
    }
    EXPECT_TRUE(UserInputWithin(1));
}
