// Finds in a statement what Microsoft Access SQL lacks though SQLite or PostgreSQL take it.
// Text literals and bracketed names are not read as SQL; inside an ODBC escape ("{fn ...}",
// "{ts ...}") the driver translates the function names, so only there may they appear.
#pragma once

#include "framework/core/CString.h"

#include <initializer_list>
#include <vector>

class CPortableSqlCheck
{
public:
    // The first such construct ("CASE", "||", "SUM(DISTINCT ...)", "IF NOT EXISTS", "CROSS JOIN",
    // "comment", "three tables joined without parentheses", ...); empty when the statement has none.
    static CString FindUnportable(const wchar_t* pszSQL);

private:
    struct Token
    {
        CString strText; // words upper-cased; punctuation as written
        bool bWord;
        bool bInEscape;
    };

    static std::vector<Token> Tokenize(const wchar_t* pszSQL, CString& strRefused);
    static CString FindInTokens(const std::vector<Token>& tokens);
    static CString FindAtWord(const std::vector<Token>& tokens, size_t i);
    static CString NegatablePhrase(const std::vector<Token>& tokens, size_t i, const wchar_t* pszFirst,
                                   std::initializer_list<const wchar_t*> rest);
    static CString UnwrittenJoin(const std::vector<Token>& tokens, size_t i);
    static bool HasUnparenthesisedJoins(const std::vector<Token>& tokens);
    static bool HasSeveralStatements(const std::vector<Token>& tokens);
    static bool HasSeveralValueRows(const std::vector<Token>& tokens, size_t nValues);
};
