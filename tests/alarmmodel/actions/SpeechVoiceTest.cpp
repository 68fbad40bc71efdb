#include "alarmmodel/channels/SpeechVoice.h"

#include <gtest/gtest.h>

#include <windows.h>
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
int CountProcesses(const wchar_t* pszName)
{
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {sizeof(entry)};
    int nCount = 0;
    for (BOOL bMore = Process32FirstW(hSnapshot, &entry); bMore; bMore = Process32NextW(hSnapshot, &entry))
        nCount += lstrcmpiW(entry.szExeFile, pszName) == 0;
    CloseHandle(hSnapshot);
    return nCount;
}
}

// With the speech library disabled the system's own failure reaches the error text, and no
// out-of-process server is started in its place (it would outlive the program). (The override
// counts only while the library is not yet loaded: each test runs in its own process.)
TEST_F(SpeechVoiceTest, DisabledSpeechLibraryReportsTheSystemError)
{
    int nSurrogates = CountProcesses(L"dllhost.exe");
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", 0,
                                             nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr));
    RegSetValueExW(hKey, L"sapi", 0, REG_SZ, (const BYTE*)L"", sizeof(wchar_t));
    CSpeechVoice* pVoice = new CSpeechVoice(nullptr);
    RegDeleteValueW(hKey, L"sapi");
    RegCloseKey(hKey);

    EXPECT_TRUE(pVoice->m_bError);
    EXPECT_EQ(nullptr, pVoice->m_pVoice);
    EXPECT_EQ(0, pVoice->m_strError.Find(L"Text-to-speech error: "));
    EXPECT_NE(-1, pVoice->m_strError.Find(HelpText));
    delete pVoice;
    EXPECT_EQ(nSurrogates, CountProcesses(L"dllhost.exe"));
}
