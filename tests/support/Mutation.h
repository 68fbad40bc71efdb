// Mutated copies of well-formed input for the readers of bytes from outside: bytes flipped,
// inserted, cut, overwritten and repeated, and whole lines and fields changed, from a fixed seed
// so that a failure can be made again.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace testsupport
{
// The first bytes of an input, those outside printable ASCII as \xNN, for a failure message.
inline std::string Printable(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes.substr(0, 1500))
    {
        if (c >= 0x20 && c < 0x7F && c != '\\')
            out += (char)c;
        else
        {
            static const char digits[] = "0123456789ABCDEF";
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

class CMutator
{
public:
    explicit CMutator(uint32_t nSeed) : m_random(nSeed) {}

    // A number from 0 to n - 1 (n > 0).
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }
    bool Chance(int nPercent) { return (int)Below(100) < nPercent; }

    // A 32-bit value that readers tend to get wrong: the edges, small numbers, or any.
    int32_t AnyInt()
    {
        static const int32_t edges[] = {0, 1, -1, 2, 3, 4, 5, 7, 63, 64, 65, 255, 256, 257, 1023, 1024, 32767, 32768,
                                        65535, 65536, -32768, -32769, 0x7FFFFFFF, (int32_t)0x80000000,
                                        (int32_t)0x80000001, 0x7FFFFFFE, 59392, 59419, 59420, 59421, 59422, 59423};
        switch (Below(3))
        {
        case 0: return edges[Below(sizeof edges / sizeof edges[0])];
        case 1: return (int32_t)Below(2000) - 1000;
        default: return (int32_t)m_random();
        }
    }

    // Applies one to nMax mutations of the bytes; pieces are texts that the reader treats
    // specially (line ends, markers, escapes), inserted or written over the input.
    void MutateBytes(std::string& bytes, const std::vector<std::string>& pieces, int nMax = 4)
    {
        const int nCount = 1 + (int)Below((size_t)nMax);
        for (int i = 0; i < nCount; ++i)
            MutateOnce(bytes, pieces);
    }

    // Cuts the text into lines at LF (each keeping its LF), mutates whole lines, joins them again.
    void MutateLines(std::string& bytes, const std::vector<std::string>& pieces)
    {
        std::vector<std::string> lines;
        for (size_t pos = 0; pos < bytes.size();)
        {
            size_t end = bytes.find('\n', pos);
            end = end == std::string::npos ? bytes.size() : end + 1;
            lines.push_back(bytes.substr(pos, end - pos));
            pos = end;
        }
        if (lines.empty())
            lines.push_back(std::string());
        const size_t n = lines.size();
        switch (Below(6))
        {
        case 0: lines.erase(lines.begin() + Below(n)); break;
        case 1: lines.insert(lines.begin() + Below(n + 1), lines[Below(n)]); break;
        case 2: std::swap(lines[Below(n)], lines[Below(n)]); break;
        case 3:
        {
            // A run of lines moved elsewhere: records cut and pasted.
            size_t from = Below(n), len = 1 + Below(std::min<size_t>(n - from, 14));
            std::vector<std::string> run(lines.begin() + from, lines.begin() + from + len);
            lines.erase(lines.begin() + from, lines.begin() + from + len);
            lines.insert(lines.begin() + Below(lines.size() + 1), run.begin(), run.end());
            break;
        }
        case 4:
        {
            // The field after the first blank becomes another value.
            std::string& line = lines[Below(n)];
            size_t blank = line.find(' ');
            size_t keep = blank == std::string::npos ? 0 : blank + 1;
            std::string value = Chance(50) ? std::to_string(AnyInt()) : pieces[Below(pieces.size())];
            line = line.substr(0, keep) + value + "\r\n";
            break;
        }
        default:
        {
            // The tag (the text before the first blank) becomes another number.
            std::string& line = lines[Below(n)];
            size_t blank = line.find(' ');
            line = std::to_string(Chance(50) ? 100 + (int)Below(16) : AnyInt()) +
                   (blank == std::string::npos ? std::string(" ") : line.substr(blank));
            break;
        }
        }
        bytes.clear();
        for (const std::string& line : lines)
            bytes += line;
    }

    // Damages one value of an open registry key: another number, a flipped bit, gone, or a
    // value of another type or size than the DWORD the reader expects.
    void MutateValue(HKEY hKey, const wchar_t* pszName)
    {
        DWORD dwValue = 0, dwSize = sizeof dwValue, dwType = 0;
        if (RegQueryValueExW(hKey, pszName, nullptr, &dwType, (BYTE*)&dwValue, &dwSize) != ERROR_SUCCESS)
            dwValue = 0;
        switch (Below(7))
        {
        case 0:
        case 1: dwValue = (DWORD)AnyInt(); break;
        case 2: dwValue ^= 1u << Below(32); break;
        case 3: RegDeleteValueW(hKey, pszName); return;
        case 4:
        {
            static const wchar_t* texts[] = {L"", L"12", L"-1", L"garbage", L"99999999999999999999"};
            const wchar_t* text = texts[Below(sizeof texts / sizeof texts[0])];
            RegSetValueExW(hKey, pszName, 0, REG_SZ, (const BYTE*)text, (DWORD)((wcslen(text) + 1) * sizeof(wchar_t)));
            return;
        }
        case 5:
        {
            BYTE bytes[8];
            for (BYTE& b : bytes)
                b = (BYTE)Below(256);
            RegSetValueExW(hKey, pszName, 0, Chance(50) ? REG_BINARY : REG_DWORD, bytes, (DWORD)Below(9));
            return;
        }
        default: dwValue = (DWORD)(int32_t)((int32_t)dwValue + (int32_t)Below(41) - 20); break;
        }
        RegSetValueExW(hKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof dwValue);
    }

private:
    void MutateOnce(std::string& bytes, const std::vector<std::string>& pieces)
    {
        const size_t n = bytes.size();
        switch (n ? Below(8) : 2)
        {
        case 0: bytes[Below(n)] ^= (char)(1 << Below(8)); break;
        case 1: bytes[Below(n)] = (char)SpecialByte(); break;
        case 2: bytes.insert(Below(n + 1), Chance(50) ? pieces[Below(pieces.size())] : RandomBytes()); break;
        case 3: bytes.erase(Below(n), 1 + Below(std::min<size_t>(n, 64))); break;
        case 4: bytes.resize(Below(n)); break;
        case 5:
        {
            // A span repeated, up to a few times its length.
            size_t from = Below(n), len = 1 + Below(std::min<size_t>(n - from, 256));
            std::string span = bytes.substr(from, len);
            size_t times = 1 + Below(4);
            for (size_t t = 0; t < times; ++t)
                bytes.insert(from, span);
            break;
        }
        case 6:
        {
            const std::string& piece = pieces[Below(pieces.size())];
            size_t at = Below(n);
            bytes.replace(at, std::min(piece.size(), n - at), piece);
            break;
        }
        default:
        {
            size_t at = Below(n);
            std::string value = std::to_string(AnyInt());
            bytes.replace(at, std::min(value.size(), n - at), value);
            break;
        }
        }
    }

    int SpecialByte()
    {
        static const unsigned char special[] = {0, '\r', '\n', '\t', '\f', '#', '@', ' ', '{', '}', '-', '\\',
                                                '0', '9', 0x7F, 0x80, 0xA0, 0xE9, 0xFF};
        return Chance(50) ? special[Below(sizeof special)] : (int)Below(256);
    }

    std::string RandomBytes()
    {
        std::string out(1 + Below(16), '\0');
        for (char& c : out)
            c = (char)SpecialByte();
        return out;
    }

    std::mt19937 m_random;
};
} // namespace testsupport
