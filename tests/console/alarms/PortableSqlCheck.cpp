#include "PortableSqlCheck.h"

#include <cwctype>

namespace
{
const wchar_t* const kRefusedWords[] = {L"CASE", L"COALESCE", L"NULLIF", L"CAST", L"LIMIT", L"OFFSET", L"ILIKE"};
// Access names these otherwise (Mid, Len, LCase, UCase, &, Now).
const wchar_t* const kRefusedFunctions[] = {L"SUBSTRING", L"LENGTH", L"LOWER", L"UPPER", L"CONCAT"};

bool IsOneOf(const CString& strWord, const wchar_t* const* ppszWords, size_t nWords)
{
    for (size_t i = 0; i < nWords; ++i)
        if (strWord == ppszWords[i])
            return true;
    return false;
}

bool IsWordStart(wchar_t ch) { return iswalpha(ch) || ch == L'_'; }
bool IsWordPart(wchar_t ch) { return iswalnum(ch) || ch == L'_'; }

// Past the text literal or bracketed name that starts at i ('...' with '' inside, [...]).
size_t SkipQuoted(const wchar_t* psz, size_t i)
{
    wchar_t chClose = psz[i] == L'[' ? L']' : L'\'';
    for (++i; psz[i]; ++i)
        if (psz[i] == chClose)
        {
            if (chClose == L'\'' && psz[i + 1] == L'\'')
                ++i;
            else
                return i + 1;
        }
    return i;
}
} // namespace

CString CPortableSqlCheck::FindUnportable(const wchar_t* pszSQL)
{
    CString strRefused;
    std::vector<Token> tokens = Tokenize(pszSQL, strRefused);
    return strRefused.IsEmpty() ? FindInTokens(tokens) : strRefused;
}

// Words and punctuation outside literals and bracketed names; a double quote or an operator
// that Access lacks ends the reading with its name in strRefused.
std::vector<CPortableSqlCheck::Token> CPortableSqlCheck::Tokenize(const wchar_t* pszSQL, CString& strRefused)
{
    std::vector<Token> tokens;
    int nEscapeDepth = 0;
    for (size_t i = 0; pszSQL[i];)
    {
        wchar_t ch = pszSQL[i];
        if (ch == L'\'' || ch == L'[')
        {
            tokens.push_back({L"?", false, nEscapeDepth > 0}); // a value or a name
            i = SkipQuoted(pszSQL, i);
        }
        else if (ch == L'"')
        {
            strRefused = L"double-quoted name";
            return tokens;
        }
        else if ((ch == L'|' && pszSQL[i + 1] == L'|') || (ch == L':' && pszSQL[i + 1] == L':'))
        {
            strRefused = CString(ch) + ch;
            return tokens;
        }
        else if (IsWordStart(ch))
        {
            size_t nStart = i;
            while (IsWordPart(pszSQL[i]))
                ++i;
            CString strWord(pszSQL + nStart, (int)(i - nStart));
            strWord.MakeUpper();
            tokens.push_back({strWord, true, nEscapeDepth > 0});
        }
        else if (iswdigit(ch))
        {
            while (IsWordPart(pszSQL[i]) || pszSQL[i] == L'.')
                ++i;
            tokens.push_back({L"0", false, nEscapeDepth > 0});
        }
        else
        {
            nEscapeDepth += ch == L'{' ? 1 : ch == L'}' && nEscapeDepth > 0 ? -1 : 0;
            if (!iswspace(ch))
                tokens.push_back({CString(ch), false, nEscapeDepth > 0});
            ++i;
        }
    }
    return tokens;
}

CString CPortableSqlCheck::FindInTokens(const std::vector<Token>& tokens)
{
    auto next = [&](size_t i, size_t nAhead) { return i + nAhead < tokens.size() ? tokens[i + nAhead].strText : CString(); };
    for (size_t i = 0; i < tokens.size(); ++i)
    {
        const Token& token = tokens[i];
        if (!token.bWord)
            continue;
        if (IsOneOf(token.strText, kRefusedWords, sizeof kRefusedWords / sizeof kRefusedWords[0]))
            return token.strText;
        if (token.strText == L"FETCH" && (next(i, 1) == L"FIRST" || next(i, 1) == L"NEXT"))
            return L"FETCH " + next(i, 1);
        if (token.strText == L"COUNT" && next(i, 1) == L"(" && next(i, 2) == L"DISTINCT")
            return L"COUNT(DISTINCT ...)";
        if (token.strText == L"VALUES" && HasSeveralValueRows(tokens, i))
            return L"several rows in one VALUES";
        if (token.bInEscape)
            continue;
        if (token.strText == L"CURRENT_TIMESTAMP")
            return token.strText;
        if (next(i, 1) == L"(" &&
            IsOneOf(token.strText, kRefusedFunctions, sizeof kRefusedFunctions / sizeof kRefusedFunctions[0]))
            return token.strText;
    }
    return CString();
}

// "VALUES (...), (...)": a second parenthesised row after the first.
bool CPortableSqlCheck::HasSeveralValueRows(const std::vector<Token>& tokens, size_t nValues)
{
    size_t i = nValues + 1;
    if (i >= tokens.size() || tokens[i].strText != L"(")
        return false;
    for (int nDepth = 0; i < tokens.size(); ++i)
    {
        nDepth += tokens[i].strText == L"(" ? 1 : tokens[i].strText == L")" ? -1 : 0;
        if (nDepth == 0)
            break;
    }
    return i + 2 < tokens.size() && tokens[i + 1].strText == L"," && tokens[i + 2].strText == L"(";
}
