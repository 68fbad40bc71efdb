// Writes and reads back 200,000 lines of 60 characters through CTextFile and CLinesFile, and
// the same lines through a plain std::ofstream / std::ifstream loop, with the ratios.
#include "support/LinesFile.h"
#include "support/TextFile.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace
{
const int kLines = 200000;
const int kWidth = 60;

double Seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <typename F>
double Time(F f)
{
    auto start = std::chrono::steady_clock::now();
    f();
    return Seconds(start);
}

CString TempFile(const wchar_t* pszName)
{
    wchar_t temp[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH, temp);
    return CString(temp) + pszName;
}

void Report(const char* what, double seconds, double baseline)
{
    printf("%-22s %7.3f s   %5.2fx plain C++   %s\n", what, seconds, seconds / baseline,
           seconds < 0.5 ? "under 0.5 s" : "OVER 0.5 s");
}
} // namespace

int main()
{
    CStringArray lines;
    std::vector<std::string> narrow;
    for (int i = 0; i < kLines; ++i)
    {
        CString line;
        line.Format(L"%06d ", i);
        while (line.GetLength() < kWidth)
            line += (wchar_t)(L'a' + line.GetLength() % 26);
        lines.Add(line);
        narrow.push_back(std::string(CStringA(line)));
    }
    CString textPath = TempFile(L"bench-textfile.txt");
    CString linesPath = TempFile(L"bench-linesfile.txt");
    std::string plainPath(CStringA(TempFile(L"bench-plain.txt")));

    double plainWrite = Time([&] {
        std::ofstream out(plainPath, std::ios::binary);
        for (const std::string& s : narrow)
            out << s << "\r\n";
    });
    size_t plainCount = 0;
    double plainRead = Time([&] {
        std::ifstream in(plainPath, std::ios::binary);
        std::vector<std::string> back;
        std::string s;
        while (std::getline(in, s))
        {
            if (!s.empty() && s.back() == '\r')
                s.pop_back();
            back.push_back(s);
        }
        plainCount = back.size();
    });

    BOOL ok = TRUE;
    CStringArray back;
    CLinesFile linesFile(linesPath);
    double linesWrite = Time([&] { ok &= linesFile.Write(lines, FALSE); });
    double linesRead = Time([&] { ok &= linesFile.ReadLines(back, FALSE, TRUE); });
    ok &= back.GetSize() == kLines && back[kLines - 1] == lines[kLines - 1];

    CTextFile textFile(textPath);
    double textWrite = Time([&] { ok &= textFile.WriteLines(lines); });
    double textRead = Time([&] { ok &= textFile.ReadLines(back); });
    ok &= back.GetSize() == kLines && back[kLines - 1] == lines[kLines - 1];

    printf("%d lines of %d characters\n", kLines, kWidth);
    printf("%-22s %7.3f s\n%-22s %7.3f s (%u lines)\n", "plain C++ write", plainWrite, "plain C++ read", plainRead,
           (unsigned)plainCount);
    Report("CTextFile write", textWrite, plainWrite);
    Report("CTextFile read", textRead, plainRead);
    Report("CLinesFile write", linesWrite, plainWrite);
    Report("CLinesFile read", linesRead, plainRead);
    printf("round trips %s\n", ok ? "exact" : "FAILED");

    DeleteFileW(textPath);
    DeleteFileW(linesPath);
    DeleteFileA(plainPath.c_str());
    return ok ? 0 : 1;
}
