#include "PortableSqlCheck.h"

#include <cwctype>

namespace
{
// ESCAPE also as an ODBC escape clause: Access takes no escape clause in LIKE.
const wchar_t* const kRefusedWords[] = {L"CASE",   L"COALESCE", L"NULLIF",    L"CAST",   L"LIMIT", L"OFFSET",
                                       L"ILIKE",  L"EXCEPT",   L"INTERSECT", L"RETURNING", L"ESCAPE", L"USING"};
// The words that make a join Access writes: INNER, LEFT or RIGHT [OUTER] JOIN.
const wchar_t* const kAccessJoinWords[] = {L"INNER", L"LEFT", L"RIGHT"};
// Access has these only as ODBC escapes ({fn CURRENT_DATE()}, ...); Now, Date and Time otherwise.
const wchar_t* const kRefusedOutsideEscapes[] = {L"CURRENT_TIMESTAMP", L"CURRENT_DATE", L"CURRENT_TIME"};
// Access's own clauses that start with WITH (CREATE INDEX, CREATE TABLE, a query's last line).
const wchar_t* const kAccessWithClauses[] = {L"PRIMARY", L"DISALLOW", L"IGNORE", L"COMPRESSION", L"COMP",
                                             L"OWNERACCESS"};
// Operators Access lacks ("!=" is "<>" there, "%" is Mod).
const wchar_t* const kRefusedOperators[] = {L"||", L"::", L"!=", L"%"};
// Access names these otherwise (Mid, Len, LCase, UCase, &, Now).
const wchar_t* const kRefusedFunctions[] = {L"SUBSTRING", L"LENGTH", L"LOWER", L"UPPER", L"CONCAT"};

template <size_t N> bool IsOneOf(const CString& strWord, const wchar_t* const (&words)[N])
{
    for (const wchar_t* pszWord : words)
        if (strWord == pszWord)
            return true;
    return false;
}

// The operator of kRefusedOperators that starts at psz, or nullptr.
const wchar_t* RefusedOperatorAt(const wchar_t* psz)
{
    for (const wchar_t* pszOperator : kRefusedOperators)
        if (wcsncmp(psz, pszOperator, wcslen(pszOperator)) == 0)
            return pszOperator;
    return nullptr;
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
        else if (wcsncmp(pszSQL + i, L"--", 2) == 0 || wcsncmp(pszSQL + i, L"/*", 2) == 0)
        {
            strRefused = L"comment";
            return tokens;
        }
        else if (const wchar_t* pszOperator = RefusedOperatorAt(pszSQL + i))
        {
            strRefused = pszOperator;
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
    for (size_t i = 0; i < tokens.size(); ++i)
        if (tokens[i].bWord)
        {
            CString strFound = FindAtWord(tokens, i);
            if (!strFound.IsEmpty())
                return strFound;
        }
    if (HasUnparenthesisedJoins(tokens))
        return L"three tables joined without parentheses";
    if (HasSeveralStatements(tokens))
        return L"several statements";
    return CString();
}

// What starts at the word tokens[i], or empty.
CString CPortableSqlCheck::FindAtWord(const std::vector<Token>& tokens, size_t i)
{
    auto next = [&](size_t nAhead) { return i + nAhead < tokens.size() ? tokens[i + nAhead].strText : CString(); };
    const CString& strWord = tokens[i].strText;
    if (IsOneOf(strWord, kRefusedWords))
        return strWord;
    if (strWord == L"FETCH" && (next(1) == L"FIRST" || next(1) == L"NEXT"))
        return L"FETCH " + next(1);
    if (next(1) == L"(" && next(2) == L"DISTINCT")
        return strWord + L"(DISTINCT ...)";
    if (strWord == L"VALUES" && HasSeveralValueRows(tokens, i))
        return L"several rows in one VALUES";
    CString strPhrase = NegatablePhrase(tokens, i, L"IS", {L"DISTINCT", L"FROM"});
    if (strPhrase.IsEmpty())
        strPhrase = NegatablePhrase(tokens, i, L"IF", {L"EXISTS"});
    if (!strPhrase.IsEmpty())
        return strPhrase;
    if (strWord == L"WITH" && !IsOneOf(next(1), kAccessWithClauses))
        return strWord;
    if (strWord == L"OVER" && i + 1 < tokens.size() && (next(1) == L"(" || tokens[i + 1].bWord))
        return L"OVER (...)";
    if (strWord == L"NULLS" && (next(1) == L"FIRST" || next(1) == L"LAST"))
        return L"NULLS " + next(1);
    CString strJoin = UnwrittenJoin(tokens, i);
    if (!strJoin.IsEmpty())
        return strJoin;
    if (tokens[i].bInEscape)
        return CString();
    if (IsOneOf(strWord, kRefusedOutsideEscapes) || (next(1) == L"(" && IsOneOf(strWord, kRefusedFunctions)))
        return strWord;
    return CString();
}

// A join that starts at tokens[i] and is not INNER, LEFT or RIGHT [OUTER] JOIN; else empty.
CString CPortableSqlCheck::UnwrittenJoin(const std::vector<Token>& tokens, size_t i)
{
    auto at = [&](size_t n) { return n < tokens.size() ? tokens[n].strText : CString(); };
    const CString& strWord = tokens[i].strText;
    if (strWord == L"NATURAL" ||
        ((strWord == L"CROSS" || strWord == L"FULL") &&
         (at(i + 1) == L"JOIN" || (at(i + 1) == L"OUTER" && at(i + 2) == L"JOIN"))))
        return strWord + L" JOIN";
    if (strWord != L"JOIN")
        return CString();
    CString strBefore = i >= 1 ? at(i - 1) : CString();
    if (strBefore == L"OUTER")
        strBefore = i >= 2 ? at(i - 2) : CString();
    return IsOneOf(strBefore, kAccessJoinWords) ? CString() : CString(L"JOIN without INNER, LEFT or RIGHT");
}

// A semicolon with more after it: Access runs one statement per text.
bool CPortableSqlCheck::HasSeveralStatements(const std::vector<Token>& tokens)
{
    for (size_t i = 0; i + 1 < tokens.size(); ++i)
        if (tokens[i].strText == L";" && tokens[i + 1].strText != L";")
            return true;
    return false;
}

// "<first> [NOT] <rest...>" as written in upper case, when it starts at tokens[i]; else empty.
CString CPortableSqlCheck::NegatablePhrase(const std::vector<Token>& tokens, size_t i, const wchar_t* pszFirst,
                                           std::initializer_list<const wchar_t*> rest)
{
    if (tokens[i].strText != pszFirst)
        return CString();
    CString strPhrase = pszFirst;
    size_t j = i + 1;
    if (j < tokens.size() && tokens[j].strText == L"NOT")
    {
        strPhrase += L" NOT";
        ++j;
    }
    for (const wchar_t* pszWord : rest)
    {
        if (j >= tokens.size() || tokens[j].strText != pszWord)
            return CString();
        strPhrase += CString(L" ") + pszWord;
        ++j;
    }
    return strPhrase;
}

// A second JOIN in one FROM clause (or one UPDATE's tables) at the same depth of parentheses:
// Access wants "(a JOIN b ON ...) JOIN c ON ...".
bool CPortableSqlCheck::HasUnparenthesisedJoins(const std::vector<Token>& tokens)
{
    std::vector<int> joinsAtDepth(1, 0);
    for (const Token& token : tokens)
    {
        if (token.strText == L"(")
            joinsAtDepth.push_back(0);
        else if (token.strText == L")" && joinsAtDepth.size() > 1)
            joinsAtDepth.pop_back();
        else if (token.bWord && (token.strText == L"FROM" || token.strText == L"UPDATE"))
            joinsAtDepth.back() = 0;
        else if (token.bWord && token.strText == L"JOIN" && ++joinsAtDepth.back() > 1)
            return true;
    }
    return false;
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
