#include "alarmmodel/channels/SpeechVoice.h"

#include "support/StringEx.h"
#include "support/SystemErrorText.h"

#include <objbase.h>
#include <sapi.h>

namespace
{
const CLSID ClsidSpVoice = {0x96749377, 0x3391, 0x11D2, {0x9E, 0xE3, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};
const IID IidISpVoice = {0x6C44DF74, 0x72B9, 0x4992, {0xA1, 0xEC, 0xEF, 0x99, 0x6E, 0x04, 0x22, 0xD4}};
// The voice is an in-process server. Asked of a local server as well, COM starts a surrogate
// (dllhost.exe) for it wherever one is offered for its class, and the surrogate outlives the
// program.
const DWORD VoiceContext = CLSCTX_INPROC_SERVER;

const wchar_t* const PhoneticNames[26] = {
    L"Alpha", L"Bravo", L"Charlie", L"Delta", L"Echo", L"Foxtrot", L"Golf", L"Hotel", L"India",
    L"Juliet", L"Kilo", L"Leema", L"Mike", L"November", L"Oscar", L"Papa", L"Quebec", L"Romeo",
    L"Sierra", L"Tango", L"Uniform", L"Victor", L"Whiskey", L"X-ray", L"Yankee", L"Zulu"};

class CSapiOutput : public CSpeechOutput
{
public:
    explicit CSapiOutput(ISpVoice* pVoice) : m_pVoice(pVoice) {}
    ~CSapiOutput() override { m_pVoice->Release(); }
    HRESULT Speak(const wchar_t* pszText, DWORD dwFlags) override
    {
        return m_pVoice->Speak(pszText, dwFlags, nullptr);
    }
    HRESULT WaitUntilDone() override { return m_pVoice->WaitUntilDone(INFINITE); }
    HRESULT GetLastResult(HRESULT* phrLast) override
    {
        SPVOICESTATUS status = {};
        HRESULT hr = m_pVoice->GetStatus(&status, nullptr);
        *phrLast = status.hrLastResult;
        return hr;
    }

private:
    ISpVoice* m_pVoice;
};

HRESULT CreateSapiOutput(CSpeechOutput** ppOutput)
{
    ISpVoice* pVoice = nullptr;
    HRESULT hr = CoCreateInstance(ClsidSpVoice, nullptr, VoiceContext, IidISpVoice, (void**)&pVoice);
    if (SUCCEEDED(hr))
        *ppOutput = new CSapiOutput(pVoice);
    return hr;
}

SpeechOutputFactory g_pFactory = CreateSapiOutput;

BOOL IsLetter(wchar_t ch)
{
    return IsCharAlphaW(ch);
}

BOOL IsDigit(wchar_t ch)
{
    return ch >= L'0' && ch <= L'9';
}

BOOL IsMixedWord(const CString& strWord)
{
    BOOL bLetter = FALSE;
    BOOL bDigit = FALSE;
    for (int i = 0; i < strWord.GetLength(); ++i)
    {
        bLetter |= IsLetter(strWord[i]);
        bDigit |= IsDigit(strWord[i]);
    }
    return bLetter && bDigit;
}

CString SpellWord(const CString& strWord, BOOL bPhonetic)
{
    CString strSpelled;
    for (int i = 0; i < strWord.GetLength(); ++i)
    {
        wchar_t ch = strWord[i];
        wchar_t lower = (wchar_t)(UINT_PTR)CharLowerW((LPWSTR)(UINT_PTR)ch);
        if (bPhonetic && lower >= L'a' && lower <= L'z')
            strSpelled.AppendFormat(L"%s, ", PhoneticNames[lower - L'a']);
        else
            strSpelled.AppendFormat(L"%c, ", (wchar_t)(UINT_PTR)CharUpperW((LPWSTR)(UINT_PTR)ch));
    }
    strSpelled.TrimRight();
    return strSpelled;
}
} // namespace

CSpeechVoice::CSpeechVoice(CWnd* pParent)
    : m_bError(FALSE), m_bComInitialised(FALSE), m_pParent(pParent), m_pVoice(nullptr)
{
    CreateVoice();
}

CSpeechVoice::~CSpeechVoice()
{
    if (m_pVoice)
    {
        m_pVoice->WaitUntilDone();
        delete m_pVoice;
    }
    if (m_bComInitialised)
        CoUninitialize();
}

void CSpeechVoice::CreateVoice()
{
    HRESULT hr = CoInitialize(nullptr);
    if (SUCCEEDED(hr))
    {
        m_bComInitialised = TRUE;
        hr = g_pFactory(&m_pVoice);
    }
    if (!KeepFailure(hr))
    {
        m_bError = TRUE;
        m_strError += L"\n \n";
        m_strError += L"For information about Text-to-speech select the \"Microsoft\" entry ";
        m_strError += L"in the \"Help\" menu, then select \"Text-to-Speech\".";
    }
}

BOOL CSpeechVoice::KeepFailure(HRESULT hr)
{
    if (SUCCEEDED(hr))
        return TRUE;
    CSystemErrorText error((DWORD)hr, L"", L"", L"", L"", L"");
    m_strError = L"Text-to-speech error: " + error.m_strText;
    return FALSE;
}

BOOL CSpeechVoice::Speak(const CString& strText, BOOL bSpellMixed, BOOL bPhonetic, BOOL bAsync)
{
    if (!m_pVoice)
        return FALSE;
    CString strSpoken = bSpellMixed || bPhonetic ? SpellMixedWords(strText, bPhonetic) : strText;
    return KeepFailure(m_pVoice->Speak(strSpoken, FlagIsXml | (bAsync ? FlagAsync : 0)));
}

BOOL CSpeechVoice::WaitUntilDone()
{
    if (!m_pVoice || !KeepFailure(m_pVoice->WaitUntilDone()))
        return FALSE;
    // The wait only says that it waited: whether the speaking worked is the status's.
    HRESULT hrLast = S_OK;
    return KeepFailure(m_pVoice->GetLastResult(&hrLast)) && KeepFailure(hrLast);
}

CString CSpeechVoice::EscapeMarkup(const CString& strText)
{
    CString strEscaped(strText);
    strEscaped.Replace(L"&", L"&amp;");
    strEscaped.Replace(L"<", L"&lt;");
    strEscaped.Replace(L">", L"&gt;");
    return strEscaped;
}

CString CSpeechVoice::SpellMixedWords(const CString& strText, BOOL bPhonetic)
{
    CStringArray words;
    CStringEx(strText).Split(L' ', words);
    for (int i = 0; i < words.GetSize(); ++i)
    {
        if (IsMixedWord(words[i]))
            words[i] = SpellWord(words[i], bPhonetic);
    }
    return CStringArrayEx(words).Join(L" ");
}

void CSpeechVoice::SetOutputFactory(SpeechOutputFactory pFactory)
{
    g_pFactory = pFactory ? pFactory : CreateSapiOutput;
}
