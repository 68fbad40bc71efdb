#include "agent/EventHandle.h"
#include "agent/WorkerThread.h"

#include "framework/core/CException.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>

namespace
{
// Records the order of its steps; Work can be made to block, signal, or throw.
class CTestWorker : public CWorkerThread
{
public:
    ~CTestWorker() override
    {
        if (IsRunning())
            Stop();
    }
    void SignalStart() { m_eventStart.SetEvent(); }

    std::string m_steps;
    std::atomic<int> m_nWorks{0};
    bool m_bSignalFromInitialize = false;
    DWORD m_dwBlockMs = 0;
    int m_nThrow = 0; // 1: framework exception, 2: C++ exception, in Work
    std::atomic<bool> m_bInWork{false};

protected:
    void Initialize() override
    {
        m_steps += "I";
        if (m_bSignalFromInitialize)
            m_eventStart.SetEvent();
    }
    void Work() override
    {
        m_bInWork = true;
        ++m_nWorks;
        if (m_nThrow == 1)
            throw new CMemoryException();
        if (m_nThrow == 2)
            throw std::runtime_error("work failed");
        Sleep(m_dwBlockMs);
        m_steps += "W";
    }
    void Cleanup() override { m_steps += "C"; }
};

bool WaitFor(const std::atomic<bool>& flag)
{
    for (int i = 0; i < 500 && !flag; ++i)
        Sleep(10);
    return flag;
}
} // namespace

TEST(WorkerThread, StopWaitsForABlockedWorkAndItsCleanup)
{
    CTestWorker worker;
    worker.m_bSignalFromInitialize = true;
    worker.m_dwBlockMs = 600;
    ASSERT_NE(nullptr, worker.Start(0, nullptr, INFINITE));
    ASSERT_TRUE(WaitFor(worker.m_bInWork));
    auto start = std::chrono::steady_clock::now();
    worker.Stop();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ("IWC", worker.m_steps);
    EXPECT_FALSE(worker.IsRunning());
}

TEST(WorkerThread, InfiniteWaitWithoutSignalNeverWorks)
{
    CTestWorker worker;
    worker.Start(0, nullptr, INFINITE);
    Sleep(200);
    worker.Stop();
    EXPECT_EQ("IC", worker.m_steps);
    EXPECT_EQ(0, worker.m_nWorks);
}

TEST(WorkerThread, TimeOutRunsWorkRepeatedly)
{
    CTestWorker worker;
    worker.Start(0, nullptr, 20);
    Sleep(400);
    worker.Stop();
    EXPECT_GE(worker.m_nWorks, 3);
    EXPECT_EQ('C', worker.m_steps.back());
}

TEST(WorkerThread, ExceptionsStillLetStopReturn)
{
    for (int nThrow : {1, 2})
    {
        CTestWorker worker;
        worker.m_bSignalFromInitialize = true;
        worker.m_nThrow = nThrow;
        worker.Start(0, nullptr, INFINITE);
        ASSERT_TRUE(WaitFor(worker.m_bInWork));
        for (int i = 0; i < 200 && worker.IsRunning(); ++i)
            Sleep(10);
        EXPECT_FALSE(worker.IsRunning()) << nThrow;
        worker.Stop(); // must not hang
        EXPECT_EQ("I", worker.m_steps);
    }
}

TEST(WorkerThread, StartAgainAfterStop)
{
    CTestWorker worker;
    worker.Start(0, nullptr, INFINITE);
    worker.Stop();
    worker.m_bSignalFromInitialize = true;
    worker.Start(0, nullptr, INFINITE);
    ASSERT_TRUE(WaitFor(worker.m_bInWork));
    worker.Stop();
    EXPECT_EQ("ICIWC", worker.m_steps);
}

TEST(EventHandle, AutoResetWaits)
{
    CEventHandle event;
    ASSERT_TRUE(event.Create());
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, event.Wait(10));
    EXPECT_TRUE(event.Set());
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, event.Wait(0));
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, event.Wait(0)) << "auto-reset";
    event.Close();
    EXPECT_EQ(nullptr, event.m_hEvent);
    EXPECT_EQ((DWORD)WAIT_FAILED, event.Wait(0));
}
