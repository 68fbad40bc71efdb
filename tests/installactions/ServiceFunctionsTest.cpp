// The service exports against the real service control manager, with their boxes captured.
#include "installactions/Gantrel.h"

#include "MessageCapture.h"
#include "TestServices.h"

#include "support/SystemErrorText.h"

#include <gtest/gtest.h>

namespace
{
CString ErrorText(DWORD dwError)
{
    return CSystemErrorText(dwError, L"", L"", L"", L"", L"").m_strText;
}

void ExpectOneBox(const CString& strCaption, const CString& strText)
{
    ASSERT_EQ(1u, CMessageCapture::s_boxes.size());
    EXPECT_STREQ(strCaption, CMessageCapture::s_boxes[0].strCaption);
    EXPECT_STREQ(strText, CMessageCapture::s_boxes[0].strText);
    EXPECT_EQ((UINT)(MB_ICONWARNING | MB_OK), CMessageCapture::s_boxes[0].nStyle);
    CMessageCapture::s_boxes.clear();
}
} // namespace

TEST(ServiceFunctions, FailuresShowTheSystemTextUnderTheStepCaption)
{
    CMessageCapture capture;
    CString strName = UniqueServiceName(L"Unknown");
    EXPECT_EQ(0, ServiceStart(TestOwner(), strName));
    ExpectOneBox(L"Starting " + strName, ErrorText(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(0, ServiceStop(TestOwner(), Narrow(strName)));
    ExpectOneBox(L"Stopping " + strName, ErrorText(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(0, ServiceRemove(TestOwner(), Narrow(strName)));
    ExpectOneBox(L"Removing " + strName, ErrorText(ERROR_SERVICE_DOES_NOT_EXIST));

    CTestService service(L"Running");
    ASSERT_TRUE(service.Create(L"normal"));
    ASSERT_EQ(1, ServiceStart(TestOwner(), service.m_strName));
    EXPECT_EQ(0, ServiceStart(TestOwner(), service.m_strName));
    ExpectOneBox(L"Starting " + service.m_strName, ErrorText(ERROR_SERVICE_ALREADY_RUNNING));
}

TEST(ServiceFunctions, MissingNamesAndPathsFailWithoutReachingTheManager)
{
    CMessageCapture capture;
    EXPECT_EQ(0, ServiceStart(TestOwner(), nullptr));
    ExpectOneBox(L"Starting ", ErrorText(ERROR_INVALID_NAME));
    EXPECT_EQ(0, ServiceStop(TestOwner(), ""));
    EXPECT_EQ(0, ServiceRemove(TestOwner(), nullptr));
    EXPECT_EQ(0, ServiceCreate(TestOwner(), nullptr, L"GantrelNoPath", nullptr, 1));
    EXPECT_EQ(0, CreateNewService(TestOwner(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(4u, CMessageCapture::s_boxes.size());
}

TEST(ServiceFunctions, WithoutOwnerWindowNothingIsShown)
{
    CMessageCapture capture;
    CTestService service(L"NoOwner");
    ASSERT_TRUE(service.Create(L"normal"));
    EXPECT_EQ(0, ServiceRemove(nullptr, "GantrelNoSuchService"));
    EXPECT_EQ(0, CreateNewService(nullptr, Narrow(service.m_strName), "", "", "x.exe", "", "", 0));
    EXPECT_EQ(0, ServiceStart(nullptr, nullptr));
    EXPECT_TRUE(CMessageCapture::s_boxes.empty());
}

TEST(ServiceFunctions, CaptionIsCutToItsBuffer)
{
    CMessageCapture capture;
    CString strLong(L'x', 2000);
    EXPECT_EQ(0, ServiceStart(TestOwner(), strLong));
    ASSERT_EQ(1u, CMessageCapture::s_boxes.size());
    EXPECT_EQ(kCaptionChars - 1, CMessageCapture::s_boxes[0].strCaption.GetLength());
    EXPECT_STREQ(L"Starting xxx", CMessageCapture::s_boxes[0].strCaption.Left(12));
}

TEST(ServiceFunctions, CreateNewServiceOnAnExistingServiceNeverShowsThePassword)
{
    CMessageCapture capture;
    CTestService service(L"Exists");
    ASSERT_TRUE(service.Create(L"normal"));
    CStringA strName = Narrow(service.m_strName);
    EXPECT_EQ(0, CreateNewService(TestOwner(), strName, "D", "", "x.exe", "bob", "s3cr3t", 0));
    ASSERT_EQ(2u, CMessageCapture::s_boxes.size());
    CString strCaption = L"Creating Service " + service.m_strName;
    EXPECT_STREQ(strCaption, CMessageCapture::s_boxes[0].strCaption);
    EXPECT_STREQ(ErrorText(ERROR_SERVICE_EXISTS), CMessageCapture::s_boxes[0].strText);
    EXPECT_STREQ(strCaption, CMessageCapture::s_boxes[1].strCaption);
    EXPECT_STREQ(L"Error creating server " + service.m_strName + L", account = '.\\bob', password = '********'",
                 CMessageCapture::s_boxes[1].strText);
}

TEST(ServiceFunctions, SlowStartIsWaitedForWithinItsWaitHint)
{
    CMessageCapture capture;
    CTestService service(L"Slow");
    ASSERT_TRUE(service.Create(L"slowstart"));
    DWORD dwStart = GetTickCount();
    EXPECT_EQ(1, ServiceStart(TestOwner(), service.m_strName));
    EXPECT_GE(GetTickCount() - dwStart, 1400u);
    EXPECT_TRUE(CMessageCapture::s_boxes.empty());
}

TEST(ServiceFunctions, StuckStartEndsWhenItsWaitHintHasPassed)
{
    CMessageCapture capture;
    CTestService service(L"Stuck");
    ASSERT_TRUE(service.Create(L"stuckstart"));
    DWORD dwStart = GetTickCount();
    EXPECT_EQ(0, ServiceStart(TestOwner(), service.m_strName));
    DWORD dwElapsed = GetTickCount() - dwStart;
    EXPECT_GE(dwElapsed, 900u);
    EXPECT_LT(dwElapsed, 3000u);
    EXPECT_TRUE(CMessageCapture::s_boxes.empty());
}

TEST(ServiceFunctions, ServiceThatNeverStopsIsReportedOnceAfterTheBoundedWait)
{
    CMessageCapture capture;
    CTestService service(L"Never");
    ASSERT_TRUE(service.Create(L"neverstop"));
    ASSERT_EQ(1, ServiceStart(TestOwner(), service.m_strName));
    DWORD dwStart = GetTickCount();
    EXPECT_EQ(0, ServiceStop(TestOwner(), Narrow(service.m_strName)));
    DWORD dwElapsed = GetTickCount() - dwStart;
    EXPECT_GE(dwElapsed, 30500u);
    EXPECT_LT(dwElapsed, 34000u);
    ExpectOneBox(L"Stopping Service", L"Cannot stop service \"" + service.m_strName + L"\".");
}
