#include "support/LinesFile.h"

#include "support/AppPaths.h"

#include <string>

namespace
{
const size_t kWriteBuffer = 131072;
const size_t kFlushAt = 65536;
const UINT kReadBlock = 1048576;
const int kOpenAttempts = 100;

CString DefaultPath()
{
    CAppPaths paths;
    CString folder = paths.GetWorkFolder();
    if (folder.IsEmpty())
        folder = paths.GetProgramFolder();
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != L'\\')
        folder += L'\\';
    return folder + L"Qxm Tmp.txt";
}

BOOL Exists(const CString& path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void WaitUntilGone(const CString& path)
{
    for (int waited = 0; waited < 5000 && Exists(path); waited += 10)
        Sleep(10);
}

// One line's bytes as text; a byte never gives more than one UTF-16 unit.
CString Decode(const std::string& bytes, BOOL bUtf8)
{
    CString text;
    if (bytes.empty())
        return text;
    int nBytes = (int)bytes.size();
    wchar_t* out = text.GetBufferSetLength(nBytes);
    int n = bUtf8 ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), nBytes, out, nBytes) : 0;
    if (n == 0)
        n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), nBytes, out, nBytes);
    text.GetBufferSetLength(n);
    return text;
}

// Splits blocks into lines at CR, LF or CR LF; an unfinished line waits for the next block.
class CLineSplitter
{
public:
    CLineSplitter(CStringArray& lines, BOOL bUtf8) : m_lines(lines), m_bUtf8(bUtf8) {}

    void Feed(const char* p, size_t n)
    {
        size_t start = 0;
        for (size_t i = 0; i < n; ++i)
        {
            char c = p[i];
            if (c != '\r' && c != '\n')
                continue;
            // The LF of a CR LF that a block boundary split.
            if (c == '\n' && m_bAfterCR && i == 0 && m_carry.empty())
            {
                start = 1;
                m_bAfterCR = FALSE;
                continue;
            }
            m_carry.append(p + start, i - start);
            m_lines.Add(Decode(m_carry, m_bUtf8));
            m_carry.clear();
            BOOL bCrAtEnd = (c == '\r' && i + 1 == n);
            if (c == '\r' && i + 1 < n && p[i + 1] == '\n')
                ++i;
            start = i + 1;
            m_bAfterCR = bCrAtEnd;
        }
        if (start < n)
        {
            m_carry.append(p + start, n - start);
            m_bAfterCR = FALSE;
        }
    }

    void Finish()
    {
        if (!m_carry.empty())
            m_lines.Add(Decode(m_carry, m_bUtf8));
        m_carry.clear();
    }

private:
    CStringArray& m_lines;
    BOOL m_bUtf8;
    std::string m_carry;
    BOOL m_bAfterCR = FALSE;
};
} // namespace

CLinesFile::CLinesFile(const wchar_t* pszPath) : m_strPath(pszPath && *pszPath ? CString(pszPath) : DefaultPath())
{
}

void CLinesFile::ShowError(const CString& strMessage)
{
    MessageBoxW(GetActiveWindow(), strMessage, L"Error", MB_ICONWARNING | MB_OK);
}

BOOL CLinesFile::Fail(const wchar_t* pszFormat, const CFileException& error, BOOL bShowErrors)
{
    wchar_t text[256] = L"";
    error.GetErrorMessage(text, 256);
    m_strLastError = text;
    if (bShowErrors)
    {
        CString message;
        message.Format(pszFormat, m_strPath.GetString(), text);
        ShowError(message);
    }
    return FALSE;
}

BOOL CLinesFile::Write(const CStringArray& lines, BOOL bShowErrors)
{
    if (Exists(m_strPath))
    {
        DeleteFileW(m_strPath);
        WaitUntilGone(m_strPath);
    }
    CFile file;
    CFileException error;
    if (!file.Open(m_strPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary, &error))
        return Fail(L"Error creating %s -\n \n%s", error, bShowErrors);

    std::string buffer(kWriteBuffer, '\0');
    size_t pending = 0;
    try
    {
        for (int i = 0; i < lines.GetSize(); ++i)
        {
            const CString& line = lines[i];
            // At most three bytes for each UTF-16 unit, and the CR LF.
            size_t worst = (size_t)line.GetLength() * 3 + 2;
            if (pending + worst > buffer.size())
            {
                file.Write(buffer.data(), (UINT)pending);
                pending = 0;
                if (worst > buffer.size())
                    buffer.resize(worst);
            }
            pending += (size_t)WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), &buffer[pending],
                                                   (int)(buffer.size() - pending), nullptr, nullptr);
            if (i + 1 < lines.GetSize())
            {
                buffer[pending++] = '\r';
                buffer[pending++] = '\n';
            }
            if (pending >= kFlushAt)
            {
                file.Write(buffer.data(), (UINT)pending);
                pending = 0;
            }
        }
        if (pending)
            file.Write(buffer.data(), (UINT)pending);
    }
    catch (const CFileException& e)
    {
        return Fail(L"Error writing to %s -\n \n%s", e, bShowErrors);
    }
    file.Abort();
    return TRUE;
}

BOOL CLinesFile::OpenForReading(CFile& file, CFileException& error)
{
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt)
    {
        if (file.Open(m_strPath, CFile::modeRead | CFile::typeBinary, &error))
            return TRUE;
        if (error.m_lOsError == ERROR_SHARING_VIOLATION)
            Sleep(100);
    }
    return FALSE;
}

BOOL CLinesFile::ReadLines(CStringArray& lines, BOOL bShowErrors, BOOL bUtf8)
{
    lines.RemoveAll();
    lines.SetSize(0, 25000);
    CFile file;
    CFileException error;
    if (!OpenForReading(file, error))
        return Fail(L"Error opening %s -\n \n%s", error, bShowErrors);

    CLineSplitter splitter(lines, bUtf8);
    std::string block(kReadBlock, '\0');
    BOOL bFirst = TRUE;
    try
    {
        for (;;)
        {
            UINT n = file.Read(&block[0], kReadBlock);
            if (n == 0)
                break;
            size_t skip = 0;
            // A byte-order mark counts only at the very start of the file.
            if (bFirst && n >= 3 && block.compare(0, 3, "\xEF\xBB\xBF") == 0)
                skip = 3;
            bFirst = FALSE;
            splitter.Feed(block.data() + skip, n - skip);
        }
    }
    catch (const CFileException& e)
    {
        splitter.Finish();
        return Fail(L"Error reading from %s -\n \n%s", e, bShowErrors);
    }
    splitter.Finish();
    file.Abort();
    return TRUE;
}

void CLinesFile::DeleteAndWait()
{
    if (!Exists(m_strPath))
        return;
    DeleteFileW(m_strPath);
    WaitUntilGone(m_strPath);
}
