// A buffered file of 8-bit text lines: one byte per character (0 to 255), lines ending in
// CR LF in text mode. A character above 255 cannot be written and fails the write.
#pragma once

#include "framework/files/CFile.h"

#include <string>

class CStdioFile : public CFile
{
public:
    CStdioFile() {}
    // Writes what is pending and closes; errors are not reported here.
    ~CStdioFile() override;

    // Text mode unless typeBinary is given.
    BOOL Open(const wchar_t* pszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // The next line without its line end (in text mode a CR before the LF goes with it);
    // FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // In text mode every LF is written as CR LF.
    virtual void WriteString(const wchar_t* pszText);

    UINT Read(void* pBuffer, UINT nCount) override;
    void Write(const void* pBuffer, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

private:
    static const size_t kBufferSize = 65536;

    BOOL FillReadBuffer();
    void FlushWriteBuffer();

    BOOL m_bText = TRUE;
    std::string m_readBuffer;
    size_t m_nReadPos = 0;
    std::string m_writeBuffer;
};
