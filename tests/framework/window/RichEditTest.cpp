#include "GuiTest.h"

#include "framework/controls/CRichEditCtrl.h"

#include <string>

namespace
{
// Streams in pieces of at most nChunk bytes, as a caller with a small buffer would see them.
struct StreamBuffer
{
    std::string strBytes;
    size_t nRead = 0;
    LONG nChunk = 0;
    int nCalls = 0;
};

DWORD CALLBACK CollectOut(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    StreamBuffer* pBuffer = (StreamBuffer*)dwCookie;
    ++pBuffer->nCalls;
    pBuffer->strBytes.append((const char*)pbBuff, (size_t)cb);
    *pcb = cb;
    return 0;
}

DWORD CALLBACK FeedIn(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    StreamBuffer* pBuffer = (StreamBuffer*)dwCookie;
    LONG n = std::min(std::min(cb, pBuffer->nChunk), (LONG)(pBuffer->strBytes.size() - pBuffer->nRead));
    memcpy(pbBuff, pBuffer->strBytes.data() + pBuffer->nRead, (size_t)n);
    pBuffer->nRead += (size_t)n;
    *pcb = n;
    return 0;
}

class RichEditTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, CRect(10, 10, 400, 300), &Host(), 1043));
    }

    std::string Stream(int nFormat, StreamBuffer& buffer)
    {
        EDITSTREAM es = {(DWORD_PTR)&buffer, 0, CollectOut};
        m_edit.StreamOut(nFormat, es);
        return buffer.strBytes;
    }

    void Append(const wchar_t* pszText)
    {
        long nLength = m_edit.GetTextLength();
        m_edit.SetSel(nLength, nLength);
        m_edit.ReplaceSel(pszText);
    }

    CRichEditCtrl m_edit;
};
} // namespace

TEST_F(RichEditTest, AppendsAtTheEndThroughTheSelection)
{
    Append(L"first\r\n");
    Append(L"second\r\n");
    long nStart = -1, nEnd = -1;
    m_edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, nEnd);
    // The text length counts "\r\n"; a selection position counts a line break once.
    EXPECT_EQ(15, m_edit.GetTextLength());
    EXPECT_EQ(13, nEnd);
    StreamBuffer buffer;
    EXPECT_EQ("first\r\nsecond\r\n", Stream(SF_TEXT, buffer));
    m_edit.SetSel(0, 5);
    m_edit.ReplaceSel(L"1st");
    buffer = StreamBuffer();
    EXPECT_EQ("1st\r\nsecond\r\n", Stream(SF_TEXT, buffer));
}

TEST_F(RichEditTest, RtfStreamsOutAndBackIn)
{
    // Long enough for the control to hand it out in several chunks.
    for (int i = 0; i < 300; ++i)
        Append(L"A line of the log with some text in it\r\n");
    StreamBuffer rtf;
    std::string strRtf = Stream(SF_RTF, rtf);
    EXPECT_EQ(0u, strRtf.find("{\\rtf"));
    EXPECT_GT(rtf.nCalls, 1);
    EXPECT_EQ('}', strRtf[strRtf.find_last_not_of("\r\n\0", std::string::npos, 3)]);
    m_edit.SetWindowText(L"");
    EXPECT_EQ(0, m_edit.GetTextLength());
    rtf.nChunk = 100;
    EDITSTREAM es = {(DWORD_PTR)&rtf, 0, FeedIn};
    EXPECT_GT(m_edit.StreamIn(SF_RTF, es), 0);
    StreamBuffer text;
    std::string strText = Stream(SF_TEXT, text);
    EXPECT_EQ(300u * 40u, strText.size());
    EXPECT_EQ(0u, strText.find("A line of the log with some text in it\r\n"));
}

TEST_F(RichEditTest, DefaultFormatAndOleInterface)
{
    // The narrow record (60 bytes) works as well as the wide one.
    CHARFORMATA cf = {};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_SIZE;
    cf.yHeight = 200;
    lstrcpyA(cf.szFaceName, "Courier");
    ASSERT_EQ(60u, sizeof cf);
    EXPECT_TRUE(m_edit.SetDefaultCharFormat(cf));
    CHARFORMATW cfRead = {};
    cfRead.cbSize = sizeof cfRead;
    m_edit.SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cfRead);
    EXPECT_EQ(200, cfRead.yHeight);
    EXPECT_EQ(CString(L"Courier"), CString(cfRead.szFaceName));
    IRichEditOle* pOle = m_edit.GetIRichEditOle();
    ASSERT_TRUE(pOle != nullptr);
    EXPECT_EQ(0, pOle->GetObjectCount());
    pOle->Release();
}
