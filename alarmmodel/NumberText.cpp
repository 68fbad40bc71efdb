#include "alarmmodel/NumberText.h"

namespace
{
bool IsBlank(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}
} // namespace

int NumberFromText(const wchar_t* pszText)
{
    if (!pszText)
        return 0;
    const wchar_t* p = pszText;
    while (IsBlank(*p))
        ++p;
    bool negative = *p == L'-';
    if (*p == L'-' || *p == L'+')
        ++p;
    UINT value = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p)
        value = value * 10 + (UINT)(*p - L'0');
    return (int)(negative ? 0u - value : value);
}
