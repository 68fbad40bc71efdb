// Sends a text as SMS through a GSM modem on a COM port, in PDU mode, keeping a log of the
// modem dialogue.
#pragma once

#include "support/StringEx.h"

#include <vector>

class CSendSMS
{
public:
    // Each entry of arrNumbers may hold several numbers separated by ';', ':', ',' or blanks.
    CSendSMS(const wchar_t* pszPort, const CStringArray& arrNumbers, const wchar_t* pszText);
    virtual ~CSendSMS();

    // TRUE only when the port opened and the modem accepted every part for every number; the
    // log tells the rest.
    BOOL Send();

    // TRUE when the expected or the error reply arrived; *pbExpected tells which of the two.
    BOOL Transact(const char* pszCommand, const char* pszExpected, const char* pszError,
                  DWORD dwTimeoutMs, BOOL bEcho, BOOL* pbExpected = nullptr);
    BOOL OpenPort();
    void ClosePort();

    // --- PDU encoding
    // Maps the text by UTF-16 code point to the GSM 7-bit default alphabet, one byte per
    // septet (escape pairs as two bytes, the code 0x00 held as 0x80 so that the text stays
    // zero-terminated). Returns FALSE when any character has no GSM form (it is left out).
    static BOOL MapToGsmAlphabet(const CString& strText, CStringA& strSeptets);
    // Hexadecimal text of the septets packed into octets; empty for no septets.
    static CStringA PackSeptets(const CStringA& strSeptets);
    // The PDU texts (each ending in Ctrl-Z) of one concatenated message to one number.
    static void Make7BitPdus(const CStringA& strSeptets, const CString& strNumber, int nReference,
                             std::vector<CStringA>& pdus);
    static void MakeUcs2Pdus(const CString& strText, const CString& strNumber, int nReference,
                             std::vector<CStringA>& pdus);
    // The octet count that AT+CMGS announces for a PDU text.
    static int PduOctetCount(const CStringA& strPdu);
    // Digits with at most one leading '+', 1 to 20 digits.
    static BOOL IsValidNumber(const CString& strNumber);
    // A concatenation reference of its own for every message of the process.
    static int NextReference();

    CString m_strPort;
    CStringArray m_arrNumbers;
    CString m_strText;
    CStringArrayEx m_arrLog;
    HANDLE m_hPort;

private:
    BOOL SendText7Bit(const CStringA& strSeptets);
    BOOL SendTextUcs2();
    BOOL RunDialogue(const CStringA* pSeptets);
    BOOL SendToNumber(const CString& strNumber, const CStringA* pSeptets, BOOL& bLogEncoding);
    BOOL SendPart(const CStringA& strPdu);
    void LogSystemError(const wchar_t* pszFormat);
    void TidyLog();
};
