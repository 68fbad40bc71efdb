#include "alarmmodel/AlarmDefinition.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/NumberText.h"
#include "alarmmodel/Options.h"
#include "alarmmodel/ScriptDefinitionMap.h"
#include "alarmmodel/channels/CommandRunner.h"
#include "alarmmodel/channels/ScriptRunner.h"
#include "alarmmodel/channels/SendSMS.h"
#include "alarmmodel/channels/SmtpClient.h"
#include "alarmmodel/channels/SpeechVoice.h"
#include "support/StringEx.h"
#include "support/TimeText.h"

#include <mmsystem.h>

#include <memory>
#include <stdexcept>

namespace
{
const wchar_t* const MandatoryFieldMissing = L"At least one mandatory field is not defined -";
const wchar_t* const Separator = L"-+-+-";

std::unique_ptr<char[]> Narrow(const CString& str)
{
    return std::unique_ptr<char[]>(CStringEx(str).ToNarrow());
}

// A-Z only, so that other letters keep their case as the user typed them.
CString LowerAsciiLetters(const CString& strText)
{
    CString strLower(strText);
    for (int i = 0; i < strLower.GetLength(); ++i)
        if (strLower[i] >= L'A' && strLower[i] <= L'Z')
            strLower.SetAt(i, (wchar_t)(strLower[i] - L'A' + L'a'));
    return strLower;
}

// One run of the actions of a definition for one record.
class CAlarmActionRun
{
public:
    CAlarmActionRun(const CAlarmDefinition& definition, const CString& strFrom, const CString& strTime,
                    const CStringArray& arrColumns, const CStringArray& arrValues,
                    const CStringArray& arrTriggerLines)
        : m_definition(definition), m_strFrom(strFrom), m_strAlarmTime(AlarmTimeText(strTime)),
          m_arrColumns(arrColumns), m_arrValues(arrValues), m_arrTriggerLines(arrTriggerLines), m_bResult(TRUE)
    {
        m_strTitle = TitleWithOrigin();
    }

    BOOL Run(CStringArray& arrOutput);

private:
    static CString AlarmTimeText(const CString& strTime);
    CString TitleWithOrigin() const;
    CString Value(int i) const { return i < m_arrValues.GetSize() ? m_arrValues[i] : CString(); }
    void Log(const CString& strLine) { m_arrLog.Add(strLine); }
    void LogAll(const CStringArray& arrLines) { m_arrLog.Append(arrLines); }
    void RunAction(const CString& strAction);
    void RunChannel(UINT nKind, const CString& strParameter);

    void SendMail(const CString& strRecipients);
    CString MailBody() const;
    void RunSmtpDialogue(CSmtpClient& smtp, const CString& strServer, const CString& strRecipients);
    void LogTranscript(const CStringA& strTranscript);
    void SendSms(const CString& strNumbers);
    CString SmsText() const;
    void PlaySoundFile(const CString& strPath);
    void SendNetMessage(const CString& strParameter);
    void Speak(const CString& strParameter);
    void RunStoredScript(const CString& strName);

    const CAlarmDefinition& m_definition;
    CString m_strFrom;
    CString m_strAlarmTime;
    const CStringArray& m_arrColumns;
    const CStringArray& m_arrValues;
    const CStringArray& m_arrTriggerLines;
    CString m_strTitle;
    CStringArrayEx m_arrLog;
    BOOL m_bResult;
};

CString CAlarmActionRun::AlarmTimeText(const CString& strTime)
{
    return CTimeText((__time32_t)NumberFromText(strTime)).Format();
}

CString CAlarmActionRun::TitleWithOrigin() const
{
    for (int i = 0; i < m_arrColumns.GetSize(); ++i)
    {
        if (AlarmFieldLabelForSource((UINT)m_definition.m_nClass, m_arrColumns[i]).CompareNoCase(L"from") == 0)
        {
            CString strTitle;
            strTitle.Format(L"%s (%s)", m_definition.m_strTitle.GetString(), Value(i).GetString());
            return strTitle;
        }
    }
    return m_definition.m_strTitle;
}

BOOL CAlarmActionRun::Run(CStringArray& arrOutput)
{
    for (const CString& strAction : m_definition.m_arrActions)
        RunAction(strAction);
    arrOutput.RemoveAll();
    arrOutput.Append(m_arrLog);
    return m_bResult;
}

void CAlarmActionRun::RunAction(const CString& strAction)
{
    int nColon = strAction.Find(L':');
    if (nColon < 0)
    {
        m_bResult = FALSE;
        m_arrLog.AddFormat(L"Unknown action: %s", strAction.GetString());
        return;
    }
    UINT nKind = (UINT)NumberFromText(strAction.Left(nColon));
    m_arrLog.AddFormat(L"Action .....: %s", ActionTypeName(nKind).GetString());
    m_arrLog.AddFormat(L"Date/time ..: %s", CTimeText().FormatCurrentTime().GetString());
    Log(Separator);
    RunChannel(nKind, strAction.Mid(nColon + 1));
    Log(Separator);
}

void CAlarmActionRun::RunChannel(UINT nKind, const CString& strParameter)
{
    switch (nKind)
    {
    case ACTION_EMAIL: SendMail(strParameter); break;
    case ACTION_SMS: SendSms(strParameter); break;
    case ACTION_SOUND: PlaySoundFile(strParameter); break;
    case ACTION_NET_SEND: SendNetMessage(strParameter); break;
    case ACTION_SPEECH: Speak(strParameter); break;
    case ACTION_SCRIPT: RunStoredScript(strParameter); break;
    default: break;
    }
}

void CAlarmActionRun::SendMail(const CString& strRecipients)
{
    COptions& options = GetOptions();
    CString strServer = options.GetSmtpServer();
    CString strSender = options.GetSmtpSenderEmail();
    if (strServer.IsEmpty() || strSender.IsEmpty() || strRecipients.IsEmpty())
    {
        m_bResult = FALSE;
        Log(MandatoryFieldMissing);
        m_arrLog.AddFormat(L"Sender ..: %s", strSender.GetString());
        m_arrLog.AddFormat(L"Server ..: %s", strServer.GetString());
        m_arrLog.AddFormat(L"To ......: %s", strRecipients.GetString());
        Log(L"Use the Options window to define SMTP fields.");
        return;
    }
    try
    {
        CSmtpClient smtp;
        RunSmtpDialogue(smtp, strServer, strRecipients);
        LogTranscript(smtp.m_strTranscript);
    }
    catch (const std::runtime_error& error)
    {
        Log(CString(error.what()));
    }
}

CString CAlarmActionRun::MailBody() const
{
    CStringArrayEx arrLines;
    arrLines.Add(L"[From]");
    arrLines.Add(m_strFrom);
    arrLines.Add(L"");
    arrLines.Add(L"[Time]");
    arrLines.Add(m_strAlarmTime);
    arrLines.Add(L"");
    arrLines.Add(L"[Alarm]");
    arrLines.Add(m_definition.m_strTitle);
    arrLines.Add(L"");
    arrLines.Add(L"[Description]");
    arrLines.Add(m_definition.m_strDescription);
    arrLines.Add(L"");
    arrLines.Add(L"[Trigger]");
    arrLines.Append(m_arrTriggerLines);
    arrLines.Add(L"");
    arrLines.Add(L"[Fields]");
    for (int i = 0; i < m_arrColumns.GetSize(); ++i)
    {
        CString strLabel = AlarmFieldLabelForSource((UINT)m_definition.m_nClass, m_arrColumns[i]);
        if (!strLabel.IsEmpty())
            arrLines.AddFormat(L"%s = %s", strLabel.GetString(), Value(i).GetString());
    }
    return arrLines.Join(L"\r\n");
}

void CAlarmActionRun::RunSmtpDialogue(CSmtpClient& smtp, const CString& strServer, const CString& strRecipients)
{
    COptions& options = GetOptions();
    auto server = Narrow(strServer);
    if (!smtp.Connect(server.get(), 0))
    {
        // A refused connection leaves no transcript; say so, or the log would show nothing.
        m_arrLog.AddFormat(L"Cannot connect to the SMTP server %s", strServer.GetString());
        return;
    }
    auto user = Narrow(options.GetSmtpUsername());
    auto password = Narrow(options.GetSmtpPassword());
    if (!smtp.SetCredentials(user.get(), password.get()))
    {
        m_bResult = FALSE;
        Log(CString(smtp.m_szErrorText));
        smtp.Quit();
        return;
    }
    smtp.SetSenderName(Narrow(options.GetSmtpSenderName()).get());
    smtp.SetSenderAddress(Narrow(options.GetSmtpSenderEmail()).get());
    smtp.SetSubject(Narrow(L"[Tervok Alarm] " + m_strTitle).get());

    CString strList(strRecipients);
    strList.TrimLeft(L' ');
    strList.TrimRight();
    strList.Replace(L':', L';');
    strList.Replace(L',', L';');
    strList.Replace(L' ', L';');
    CStringArray arrAddresses;
    CStringEx(strList).Split(L';', arrAddresses);
    for (const CString& strAddress : arrAddresses)
        if (!strAddress.IsEmpty())
            smtp.AddTo(Narrow(strAddress).get(), "");

    smtp.SetBody(Narrow(MailBody()).get());
    if (smtp.IsConnected())
    {
        smtp.Send();
        smtp.Quit();
    }
}

void CAlarmActionRun::LogTranscript(const CStringA& strTranscript)
{
    CString strText(strTranscript);
    strText.Replace(L"\r\n", L"\n");
    strText.Replace(L"\n\r", L"\n");
    CStringArray arrLines;
    CStringEx(strText).Split(L'\n', arrLines);
    LogAll(arrLines);
}

void CAlarmActionRun::SendSms(const CString& strNumbers)
{
    CString strPort = GetOptions().GetSmsComPort();
    if (strPort.IsEmpty())
    {
        m_bResult = FALSE;
        Log(MandatoryFieldMissing);
        Log(L"Use the Options window to define SMS fields.");
        return;
    }
    CStringArray arrNumbers;
    arrNumbers.Add(strNumbers);
    CSendSMS sms(strPort, arrNumbers, SmsText());
    sms.Send();
    LogAll(sms.m_arrLog);
}

CString CAlarmActionRun::SmsText() const
{
    CStringArrayEx arrLines;
    arrLines.AddFormat(L"[Alarm] %s", m_strTitle.GetString());
    arrLines.AddFormat(L"[Time] %s", m_strAlarmTime.GetString());
    arrLines.Add(L"");
    arrLines.Add(L"[Description]");
    arrLines.Add(m_definition.m_strDescription);
    arrLines.Add(L"");
    arrLines.Add(L"[Trigger]");
    const int nCount = m_arrTriggerLines.GetSize();
    for (int i = 0; i < nCount; ++i)
        arrLines.AddFormat(L"%s%s", m_arrTriggerLines[i].GetString(), i + 1 < nCount ? L"," : L".");
    return arrLines.Join(L" ");
}

void CAlarmActionRun::PlaySoundFile(const CString& strPath)
{
    m_arrLog.AddFormat(L"Playing: %s", strPath.GetString());
    HANDLE hFile = CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        m_bResult = FALSE;
        Log(L"File: not found");
        return;
    }
    CloseHandle(hFile);
    PlaySoundW(strPath, nullptr, SND_FILENAME);
}

void CAlarmActionRun::SendNetMessage(const CString& strParameter)
{
    CStringArray arrOutput, arrErrors;
    RunCommandCaptured(FormatNetSendCommand(strParameter), arrOutput, arrErrors);
    LogAll(arrOutput);
    LogAll(arrErrors);
}

void CAlarmActionRun::Speak(const CString& strParameter)
{
    CString strText = LowerAsciiLetters(strParameter);
    // The title is placed in speech markup: markup characters in it must stay text.
    strText.Replace(L"{title}", CSpeechVoice::EscapeMarkup(m_strTitle));
    CSpeechVoice voice(nullptr);
    BOOL bSpoken = voice.Speak(strText, FALSE, FALSE, TRUE) && voice.WaitUntilDone();
    m_arrLog.AddFormat(L"Speaking: %s", strText.GetString());
    if (!bSpoken)
    {
        CStringArrayEx arrLines;
        CStringEx(voice.m_strError).Split(L'\n', arrLines);
        arrLines.RemoveBlank();
        LogAll(arrLines);
    }
}

void CAlarmActionRun::RunStoredScript(const CString& strName)
{
    m_arrLog.AddFormat(L"Script: %s", strName.GetString());
    Log(L"");
    CScriptDefinitionMap scripts;
    scripts.Load();
    if (scripts.Lookup(strName).IsEmpty())
    {
        Log(L"Script: NOT FOUND");
        return;
    }
    // The script editor names the constants after the fields of the definition's own source.
    CUIntArray arrFieldIds;
    for (const CString& strColumn : m_arrColumns)
        arrFieldIds.Add(AlarmFieldIdForSource((UINT)m_definition.m_nClass, strColumn));
    scripts.PrepareScript(strName, arrFieldIds, m_arrValues);
    CStringArray arrOutput;
    CScriptRunner(scripts.Lookup(strName), arrOutput);
    LogAll(arrOutput);
}
} // namespace

BOOL CAlarmDefinition::ExecuteAlarmActions(const CString& strFrom, const CString& strTime,
                                           const CStringArray& arrColumns, const CStringArray& arrValues,
                                           const CStringArray& arrTriggerLines, CStringArray& arrOutput) const
{
    return CAlarmActionRun(*this, strFrom, strTime, arrColumns, arrValues, arrTriggerLines).Run(arrOutput);
}
