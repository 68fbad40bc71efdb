// Speaks a text through the system's speech voice, optionally spelling words that mix letters
// and digits (host names, error codes) character by character.
#pragma once

#include "framework/Framework.h"

class CWnd;

// The calls of the voice that speaking needs, as the system's speech API answers them: an
// asynchronous Speak returns once the text is queued, the wait answers only whether it waited,
// and how the speaking went is the status's last result.
class CSpeechOutput
{
public:
    virtual ~CSpeechOutput() {}
    virtual HRESULT Speak(const wchar_t* pszText, DWORD dwFlags) = 0;
    virtual HRESULT WaitUntilDone() = 0;
    // The result of the latest speaking (the status's hrLastResult) in *phrLast.
    virtual HRESULT GetLastResult(HRESULT* phrLast) = 0;
};

// Creates the voice once COM is initialised; returns the failure code when there is none.
typedef HRESULT (*SpeechOutputFactory)(CSpeechOutput** ppOutput);

class CSpeechVoice
{
public:
    explicit CSpeechVoice(CWnd* pParent);
    virtual ~CSpeechVoice();
    CSpeechVoice(const CSpeechVoice&) = delete;
    CSpeechVoice& operator=(const CSpeechVoice&) = delete;

    // The text is read as speech markup. FALSE when there is no voice or it refused the text;
    // m_strError then says why.
    BOOL Speak(const CString& strText, BOOL bSpellMixed, BOOL bPhonetic, BOOL bAsync);
    // Waits until everything is spoken. FALSE when there is no voice or speaking failed (no audio
    // device, the device busy); m_strError then says why. The destructor waits too, silently.
    BOOL WaitUntilDone();

    // The text with & < > written as entities, so that it is spoken as written within markup.
    static CString EscapeMarkup(const CString& strText);

    // Words holding both letters and digits spelled out: "srv01" becomes "S, R, V, 0, 1,", or
    // with the phonetic alphabet "Sierra, Romeo, Victor, 0, 1,".
    static CString SpellMixedWords(const CString& strText, BOOL bPhonetic);

    // Null restores the system's voice.
    static void SetOutputFactory(SpeechOutputFactory pFactory);

    static const DWORD FlagAsync = 1;
    static const DWORD FlagIsXml = 8;

    // Set when creating the voice failed.
    BOOL m_bError;
    BOOL m_bComInitialised;
    CWnd* m_pParent;
    // Why creating the voice, speaking or waiting failed, the latest of them.
    CString m_strError;
    CSpeechOutput* m_pVoice;

private:
    void CreateVoice();
    // FALSE for a failure code, whose text then goes to m_strError.
    BOOL KeepFailure(HRESULT hr);
};
