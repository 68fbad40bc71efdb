#include "alarmmodel/AlarmDefinition.h"

#include "alarmmodel/ScriptDefinitionMap.h"
#include "alarmmodel/channels/ScriptRunner.h"
#include "alarmmodel/channels/SpeechVoice.h"
#include "support/AppPaths.h"
#include "support/RegistryStore.h"
#include "support/StringEx.h"
#include "support/SystemErrorText.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace
{
// Each batch run gets a console of its own (see the script runner's tests).
const BOOL DetachedFromConsole = FreeConsole();

std::vector<std::wstring> g_spoken;

class CRecordingOutput : public CSpeechOutput
{
public:
    HRESULT Speak(const wchar_t* pszText, DWORD) override
    {
        g_spoken.push_back(pszText);
        return S_OK;
    }
    HRESULT WaitUntilDone() override { return S_OK; }
    HRESULT GetLastResult(HRESULT* phrLast) override
    {
        *phrLast = S_OK;
        return S_OK;
    }
};

HRESULT CreateRecordingOutput(CSpeechOutput** ppOutput)
{
    *ppOutput = new CRecordingOutput;
    return S_OK;
}

HRESULT CreateNoOutput(CSpeechOutput**)
{
    return REGDB_E_CLASSNOTREG;
}

// A voice that takes the text but whose device fails while speaking it: as the speech API does, it
// queues the text, its wait succeeds, and its status tells the failure.
class CBusyDeviceOutput : public CSpeechOutput
{
public:
    HRESULT Speak(const wchar_t*, DWORD) override { return S_OK; }
    HRESULT WaitUntilDone() override { return S_OK; }
    HRESULT GetLastResult(HRESULT* phrLast) override
    {
        *phrLast = HRESULT_FROM_WIN32(ERROR_BUSY);
        return S_OK;
    }
};

HRESULT CreateBusyDeviceOutput(CSpeechOutput** ppOutput)
{
    *ppOutput = new CBusyDeviceOutput;
    return S_OK;
}

CString SpeechErrorLine(HRESULT hr)
{
    return L"Text-to-speech error: " + CSystemErrorText((DWORD)hr, L"", L"", L"", L"", L"").m_strText;
}

std::string Narrow(const CString& s)
{
    return std::string(CStringA(s).GetString());
}

std::string Joined(const CStringArray& lines)
{
    return Narrow(CStringArrayEx(lines).Join(L"\n"));
}

const wchar_t* const Header = L"-+-+-";

class AlarmActionRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_key.Path(), L"Volatile");
        GetAppPaths().MakeUserDataFolder();
        g_spoken.clear();
        m_definition.m_strTitle = L"Disk";
        m_definition.m_strDescription = L"Disk almost full";
        m_definition.m_nClass = 1;
        m_columns = Lines({L"FLD_RECEIVED_NAME", L"FLD_HOSTNAME", L"FLD_NOT_A_FIELD"});
        m_values = Lines({L"srv01", L"host-a", L"ignored"});
        m_trigger = Lines({L"Test mode -", L"No match information available."});
    }
    void TearDown() override
    {
        CSpeechVoice::SetOutputFactory(nullptr);
        CScriptRunner::SetHostProgram(L"cscript");
        DeleteFileW(CScriptDefinitionMap::DefaultPath());
    }

    BOOL Run(std::initializer_list<const wchar_t*> actions)
    {
        m_definition.m_arrActions = Lines(actions);
        return m_definition.ExecuteAlarmActions(L"console", L"1700000000", m_columns, m_values, m_trigger, m_log);
    }
    // The lines between the header of action k (0-based) and its closing line.
    CStringArray Body(int k) const
    {
        CStringArray body;
        int nAction = -1;
        bool inside = false;
        for (const CString& line : m_log)
        {
            if (line == Header)
            {
                if (!inside)
                    ++nAction;
                inside = !inside;
                continue;
            }
            if (inside && nAction == k)
                body.Add(line);
        }
        return body;
    }

    CScratchKey m_key;
    CAlarmDefinition m_definition;
    CStringArray m_columns, m_values, m_trigger, m_log;
};
} // namespace

TEST_F(AlarmActionRunnerTest, EmptyAndMalformedActionsAndUnknownKinds)
{
    m_log.Add(L"earlier run");
    EXPECT_TRUE(Run({}));
    EXPECT_EQ(0, m_log.GetSize());

    EXPECT_FALSE(Run({L"no colon here", L"9:whatever"}));
    ASSERT_EQ(5, m_log.GetSize()) << Joined(m_log);
    EXPECT_STREQ(L"Unknown action: no colon here", m_log[0]);
    EXPECT_STREQ(L"Action .....: ", m_log[1]);
    EXPECT_EQ(0, m_log[2].Find(L"Date/time ..: "));
    EXPECT_GT(m_log[2].GetLength(), 16);
    EXPECT_STREQ(Header, m_log[3]);
    EXPECT_STREQ(Header, m_log[4]);

    EXPECT_TRUE(Run({L"9:whatever"}));
}

TEST_F(AlarmActionRunnerTest, MissingSettingsAreReportedAndTheRunGoesOn)
{
    GetRegistryStore().SetStringA("COptions::SMTP_SenderEmail", L"alarms@example.com");
    EXPECT_FALSE(Run({L"0:ops@example.com", L"1:+41790000000", L"9:"}));
    EXPECT_STREQ(L"Action .....: E-Mail", m_log[0]);
    const CStringArray mail = Body(0);
    ASSERT_EQ(5, mail.GetSize()) << Joined(m_log);
    EXPECT_STREQ(L"At least one mandatory field is not defined -", mail[0]);
    EXPECT_STREQ(L"Sender ..: alarms@example.com", mail[1]);
    EXPECT_STREQ(L"Server ..: ", mail[2]);
    EXPECT_STREQ(L"To ......: ops@example.com", mail[3]);
    EXPECT_STREQ(L"Use the Options window to define SMTP fields.", mail[4]);

    const CStringArray sms = Body(1);
    ASSERT_EQ(2, sms.GetSize()) << Joined(m_log);
    EXPECT_STREQ(L"At least one mandatory field is not defined -", sms[0]);
    EXPECT_STREQ(L"Use the Options window to define SMS fields.", sms[1]);
    // The third action still ran.
    EXPECT_EQ(19, m_log.GetSize());
}

// The tests hold the mail port's lock, so nothing listens there.
TEST_F(AlarmActionRunnerTest, RefusedMailConnectionIsReported)
{
    CRegistryStore& store = GetRegistryStore();
    store.SetStringA("COptions::SMTP_SenderEmail", L"alarms@example.com");
    store.SetStringA("COptions::SMTP_Server", L"127.0.0.1");
    EXPECT_TRUE(Run({L"0:ops@example.com"}));
    const CStringArray mail = Body(0);
    ASSERT_EQ(1, mail.GetSize()) << Joined(m_log);
    EXPECT_STREQ(L"Cannot connect to the SMTP server 127.0.0.1", mail[0]);
}

TEST_F(AlarmActionRunnerTest, SoundFileMustBeReadable)
{
    CScratchFolder folder(L"tvk-sound");
    CString strWave = folder.Path(L"alarm.wav");
    // A valid, silent wave file of one sample.
    static const unsigned char wave[] = {'R', 'I', 'F', 'F', 37, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                         16, 0, 0, 0, 1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0,
                                         'd', 'a', 't', 'a', 1, 0, 0, 0, 0x80};
    WriteBytes(strWave, std::string((const char*)wave, sizeof wave));

    EXPECT_TRUE(Run({L"2:" + strWave}));
    ASSERT_EQ(1, Body(0).GetSize());
    EXPECT_STREQ(L"Playing: " + strWave, Body(0)[0]);

    EXPECT_FALSE(Run({L"2:" + folder.Path(L"missing.wav")}));
    const CStringArray sound = Body(0);
    ASSERT_EQ(2, sound.GetSize());
    EXPECT_STREQ(L"File: not found", sound[1]);
}

// Wine's NET has no SEND command; its answer is what the log shows.
TEST_F(AlarmActionRunnerTest, NetSendLogsWhatTheCommandAnswered)
{
    EXPECT_TRUE(Run({L"3:srv01 CPU 95% & rising"}));
    EXPECT_STREQ(L"Action .....: Net Send", m_log[0]);
    EXPECT_GT(Body(0).GetSize(), 0) << Joined(m_log);
}

TEST_F(AlarmActionRunnerTest, SpeechLowersTheTextButKeepsTheTitleAsItIsAndEscaped)
{
    CSpeechVoice::SetOutputFactory(CreateRecordingOutput);
    m_columns.RemoveAll();
    EXPECT_TRUE(Run({L"4:ALARM {title} NOW"}));
    ASSERT_EQ(1u, g_spoken.size());
    EXPECT_EQ(L"alarm Disk now", g_spoken[0]);
    ASSERT_EQ(1, Body(0).GetSize());
    EXPECT_STREQ(L"Speaking: alarm Disk now", Body(0)[0]);

    g_spoken.clear();
    m_definition.m_strTitle = L"R&D <disk>";
    EXPECT_TRUE(Run({L"4:{title}"}));
    ASSERT_EQ(1u, g_spoken.size());
    EXPECT_EQ(L"R&amp;D &lt;disk&gt;", g_spoken[0]);
}

TEST_F(AlarmActionRunnerTest, SpeechWithoutVoiceLogsTheErrorLines)
{
    CSpeechVoice::SetOutputFactory(CreateNoOutput);
    EXPECT_TRUE(Run({L"4:hello"}));
    const CStringArray speech = Body(0);
    ASSERT_GT(speech.GetSize(), 1) << Joined(m_log);
    EXPECT_STREQ(L"Speaking: hello", speech[0]);
    for (const CString& line : speech)
        EXPECT_FALSE(line.IsEmpty());
}

// A voice that is there but cannot speak leaves the system's reason in the log, whether it refuses
// the text (Wine's voice answers "not implemented") or fails while speaking it.
TEST_F(AlarmActionRunnerTest, SpeechThatFailsLogsTheSystemsReason)
{
    EXPECT_TRUE(Run({L"4:hello"}));
    CStringArray speech = Body(0);
    ASSERT_EQ(2, speech.GetSize()) << Joined(m_log);
    EXPECT_STREQ(L"Speaking: hello", speech[0]);
    EXPECT_STREQ(SpeechErrorLine(E_NOTIMPL), speech[1]);

    CSpeechVoice::SetOutputFactory(CreateBusyDeviceOutput);
    EXPECT_TRUE(Run({L"4:hello"}));
    speech = Body(0);
    ASSERT_EQ(2, speech.GetSize()) << Joined(m_log);
    EXPECT_STREQ(SpeechErrorLine(HRESULT_FROM_WIN32(ERROR_BUSY)), speech[1]);
}

// The constants the script editor writes for a Syslog definition are named after the Syslog
// fields, not after the first source that shares the column.
TEST_F(AlarmActionRunnerTest, ScriptConstantsAreFilledFromTheDefinitionsOwnFields)
{
    CScriptDefinitionMap scripts;
    scripts.SetScript(L"notify", L"' {{CLASS_VARIABLES\r\n"
                                 L"Const str207 = \"\"\r\n"
                                 L"Const str208 = \"\"\r\n"
                                 L"' }}CLASS_VARIABLES\r\n"
                                 L"WScript.Echo \"from \" & str207 & \" on \" & str208\r\n");
    ASSERT_TRUE(scripts.Save());
    CScriptRunner::SetHostProgram(ProgramFolder() + L"script_host.exe");

    EXPECT_TRUE(Run({L"5:notify", L"5:absent"}));
    const CStringArray script = Body(0);
    ASSERT_EQ(3, script.GetSize()) << Joined(m_log);
    EXPECT_STREQ(L"Script: notify", script[0]);
    EXPECT_STREQ(L"", script[1]);
    EXPECT_STREQ(L"from srv01 on host-a", script[2]);

    const CStringArray absent = Body(1);
    ASSERT_EQ(3, absent.GetSize()) << Joined(m_log);
    EXPECT_STREQ(L"Script: NOT FOUND", absent[2]);

    // The filled-in text never reaches the scripts file.
    CScriptDefinitionMap reloaded;
    reloaded.Load();
    EXPECT_NE(-1, reloaded.Lookup(L"notify").Find(L"Const str207 = \"\""));
}
