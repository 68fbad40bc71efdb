#include "alarmmodel/channels/SpeechVoice.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

TEST(SpeechSpelling, MixedWordsAreSpelledCharacterByCharacter)
{
    EXPECT_STREQ(L"server S, R, V, 0, 1, down", CSpeechVoice::SpellMixedWords(L"server srv01 down", FALSE));
    EXPECT_STREQ(L"Sierra, Romeo, Victor, 0, 1,", CSpeechVoice::SpellMixedWords(L"srv01", TRUE));
    EXPECT_STREQ(L"Leema, 4, -, X-ray,", CSpeechVoice::SpellMixedWords(L"L4-x", TRUE));
    // Letters only or digits only are words to be read, not spelled.
    EXPECT_STREQ(L"disk 404 full", CSpeechVoice::SpellMixedWords(L"disk 404 full", TRUE));
    // Every blank separates: empty words stay, so the spacing does too.
    EXPECT_STREQ(L"a  B, 1, ", CSpeechVoice::SpellMixedWords(L"a  b1 ", FALSE));
    EXPECT_STREQ(L"", CSpeechVoice::SpellMixedWords(L"", TRUE));
}

// The phonetic table has only a to z; other letters are spoken as themselves.
TEST(SpeechSpelling, LettersOutsideTheAlphabetSpeakAsThemselves)
{
    EXPECT_STREQ(L"\u00C9, 1, Bravo,", CSpeechVoice::SpellMixedWords(L"\u00E91b", TRUE));
}

namespace
{
struct SpokenCall
{
    std::wstring text;
    DWORD flags;
};

std::vector<SpokenCall> g_spoken;
int g_waits = 0;
int g_released = 0;

class CRecordingOutput : public CSpeechOutput
{
public:
    ~CRecordingOutput() override { ++g_released; }
    HRESULT Speak(const wchar_t* pszText, DWORD dwFlags) override
    {
        g_spoken.push_back({pszText, dwFlags});
        return S_OK;
    }
    HRESULT WaitUntilDone() override
    {
        ++g_waits;
        return S_OK;
    }
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

const wchar_t* const HelpText = L"For information about Text-to-speech select the \"Microsoft\" "
                                L"entry in the \"Help\" menu, then select \"Text-to-Speech\".";

class SpeechVoiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_spoken.clear();
        g_waits = g_released = 0;
    }
    void TearDown() override { CSpeechVoice::SetOutputFactory(nullptr); }
};
} // namespace

TEST_F(SpeechVoiceTest, SpeaksMarkupWithFlagsAndWaitsAtTheEnd)
{
    CSpeechVoice::SetOutputFactory(CreateRecordingOutput);
    {
        CSpeechVoice voice(nullptr);
        ASSERT_FALSE(voice.m_bError);
        voice.Speak(L"host srv01 down", TRUE, FALSE, TRUE);
        voice.Speak(L"<emph>host srv01</emph>", FALSE, FALSE, FALSE);
        EXPECT_EQ(0, g_waits);
    }
    ASSERT_EQ(2u, g_spoken.size());
    EXPECT_EQ(L"host S, R, V, 0, 1, down", g_spoken[0].text);
    EXPECT_EQ(9u, g_spoken[0].flags);
    EXPECT_EQ(L"<emph>host srv01</emph>", g_spoken[1].text);
    EXPECT_EQ(8u, g_spoken[1].flags);
    EXPECT_EQ(1, g_waits);
    EXPECT_EQ(1, g_released);
}

TEST_F(SpeechVoiceTest, NoVoiceGivesTheErrorTextAndSpeaksNothing)
{
    CSpeechVoice::SetOutputFactory(CreateNoOutput);
    CSpeechVoice voice(nullptr);
    EXPECT_TRUE(voice.m_bError);
    EXPECT_EQ(nullptr, voice.m_pVoice);
    EXPECT_EQ(0, voice.m_strError.Find(L"Text-to-speech error: "));
    EXPECT_NE(-1, voice.m_strError.Find(CString(L"\n \n") + HelpText));
    voice.Speak(L"anything", TRUE, TRUE, TRUE);
    EXPECT_TRUE(g_spoken.empty());
}

// Wine's voice exists but speaks nothing; creating and using it must still work.
TEST_F(SpeechVoiceTest, SystemVoiceIsCreatedAndUsed)
{
    CSpeechVoice voice(nullptr);
    EXPECT_FALSE(voice.m_bError) << CStringA(voice.m_strError).GetString();
    EXPECT_NE(nullptr, voice.m_pVoice);
    EXPECT_TRUE(voice.m_bComInitialised);
    voice.Speak(L"test srv01", TRUE, TRUE, TRUE);
}

namespace
{
BOOL SetRegistryString(HKEY hRoot, const wchar_t* pszKey, const wchar_t* pszName, const wchar_t* pszValue)
{
    HKEY hKey = nullptr;
    LONG nResult = RegCreateKeyExW(hRoot, pszKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr);
    if (nResult == ERROR_SUCCESS)
    {
        nResult = RegSetValueExW(hKey, pszName, 0, REG_SZ, (const BYTE*)pszValue,
                                 (DWORD)((wcslen(pszValue) + 1) * sizeof(wchar_t)));
        RegCloseKey(hKey);
    }
    return nResult == ERROR_SUCCESS;
}

// A surrogate offered for the voice's class, as an administrator may configure one: asked of a
// local server, COM then starts dllhost.exe with the voice in it. The surrogate is named in
// full: left empty, Wine picks the 32-bit one, which a machine without 32-bit support cannot run.
class CSurrogateOffer
{
public:
    CSurrogateOffer()
    {
        m_bMade = SetRegistryString(HKEY_LOCAL_MACHINE, AppIdKey, L"DllSurrogate", L"C:\\windows\\system32\\dllhost.exe") &&
                  SetRegistryString(HKEY_LOCAL_MACHINE, VoiceKey, L"AppID", AppId);
    }
    ~CSurrogateOffer()
    {
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, VoiceKey, L"AppID");
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, AppIdKey);
    }
    BOOL IsMade() const { return m_bMade; }

private:
    static constexpr const wchar_t* VoiceKey = L"Software\\Classes\\CLSID\\{96749377-3391-11D2-9EE3-00C04F797396}";
    static constexpr const wchar_t* AppIdKey = L"Software\\Classes\\AppID\\{5E1C0F2A-7B3D-4C8E-9A61-2F4D8B7C3E10}";
    static constexpr const wchar_t* AppId = L"{5E1C0F2A-7B3D-4C8E-9A61-2F4D8B7C3E10}";
    BOOL m_bMade;
};

// Counts the processes this program starts from now on, through a job that it joins (each test
// runs in a process of its own). A process of the prefix's that was already running, or one
// that another program started, is not counted.
class CStartedProcesses
{
public:
    CStartedProcesses() : m_hJob(CreateJobObjectW(nullptr, nullptr))
    {
        m_bJoined = m_hJob && AssignProcessToJobObject(m_hJob, GetCurrentProcess());
    }
    ~CStartedProcesses()
    {
        if (m_hJob)
            CloseHandle(m_hJob);
    }
    BOOL IsCounting() const { return m_bJoined; }
    int GetCount() const
    {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
        QueryInformationJobObject(m_hJob, JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr);
        return (int)info.TotalProcesses - 1;
    }

private:
    HANDLE m_hJob;
    BOOL m_bJoined;
};

// Ends the surrogates this program started, so that none outlives it when the test fails.
void EndStartedSurrogates()
{
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {sizeof(entry)};
    for (BOOL bMore = Process32FirstW(hSnapshot, &entry); bMore; bMore = Process32NextW(hSnapshot, &entry))
    {
        if (entry.th32ParentProcessID != GetCurrentProcessId() || lstrcmpiW(entry.szExeFile, L"dllhost.exe") != 0)
            continue;
        HANDLE hProcess = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
        if (hProcess)
        {
            TerminateProcess(hProcess, 1);
            CloseHandle(hProcess);
        }
    }
    CloseHandle(hSnapshot);
}
} // namespace

// With the speech library disabled the system's own failure reaches the error text, and no
// process is started in its place, even where a surrogate is offered for the voice (it would
// outlive the program). (The override counts only while the library is not yet loaded: each
// test runs in its own process.)
TEST_F(SpeechVoiceTest, DisabledSpeechLibraryReportsTheSystemError)
{
    CSurrogateOffer offer;
    ASSERT_TRUE(offer.IsMade());
    // What the first use of COM starts in the prefix (its desktop process) starts before the count.
    CoInitialize(nullptr);
    CoUninitialize();
    CStartedProcesses started;
    ASSERT_TRUE(started.IsCounting());

    const wchar_t* pszOverrides = L"Software\\Wine\\DllOverrides";
    ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, pszOverrides, L"sapi", L""));
    CSpeechVoice* pVoice = new CSpeechVoice(nullptr);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, pszOverrides, L"sapi");

    EXPECT_TRUE(pVoice->m_bError);
    EXPECT_EQ(nullptr, pVoice->m_pVoice);
    EXPECT_EQ(0, pVoice->m_strError.Find(L"Text-to-speech error: "));
    EXPECT_NE(-1, pVoice->m_strError.Find(HelpText));
    delete pVoice;
    EXPECT_EQ(0, started.GetCount()) << "a process was started in the voice's place";
    EndStartedSurrogates();
}
