#include "support/Base64.h"

namespace
{
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

int Base64Encode(const unsigned char* pIn, char* pOut, size_t nLength, int nGroupsPerLine)
{
    char* out = pOut;
    int groups = 0;
    size_t i = 0;
    for (; i + 3 <= nLength; i += 3)
    {
        unsigned v = (unsigned)pIn[i] << 16 | (unsigned)pIn[i + 1] << 8 | pIn[i + 2];
        *out++ = kAlphabet[v >> 18];
        *out++ = kAlphabet[(v >> 12) & 63];
        *out++ = kAlphabet[(v >> 6) & 63];
        *out++ = kAlphabet[v & 63];
        if (nGroupsPerLine > 0 && ++groups == nGroupsPerLine)
        {
            *out++ = '\n';
            groups = 0;
        }
    }
    size_t rest = nLength - i;
    if (rest > 0)
    {
        unsigned v = (unsigned)pIn[i] << 16 | (rest == 2 ? (unsigned)pIn[i + 1] << 8 : 0u);
        *out++ = kAlphabet[v >> 18];
        *out++ = kAlphabet[(v >> 12) & 63];
        *out++ = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        *out++ = '=';
    }
    return (int)(out - pOut);
}
