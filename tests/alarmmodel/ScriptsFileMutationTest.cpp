// Scripts files damaged in every way a copy from elsewhere may be: each is read whole or not
// at all, every script read is written back as the same three lines, and filling in a damaged
// script's class variables neither crashes nor lets a value out of its string.
#include "FileFixture.h"

#include "alarmmodel/ScriptDefinitionMap.h"
#include "tests/support/Mutation.h"


namespace
{
const uint32_t kSeed = 20261210;
const int kInputs = 100000;

const wchar_t BlockScript[] = L"Option Explicit\r\n"
                              L"' {{CLASS_VARIABLES\r\n"
                              L"Const str113 = \"\"\t' FLD_TEXT => Text\r\n"
                              L"Const str109 = \"\"\t' FLD_SOURCE_NAME => Source\r\n"
                              L"' }}CLASS_VARIABLES\r\n"
                              L"\tWScript.Echo str113 & \" \u00E9t\u00E9 \u00DF\"\f\r\n";

void AddScripts(CScriptDefinitionMap& map)
{
    map.SetScript(L"Disk full", BlockScript);
    map.SetScript(L"\u00DCber \u00E6\u00F8\u00E5", L"MsgBox \"x\"\r\n");
    CString longText;
    for (int i = 0; i < 40; ++i)
        longText.AppendFormat(L"' line %d of a long script with a tab\there\r\n", i);
    map.SetScript(L"Long", longText);
    map.SetScript(L"tab\tand\fform feed", L"");
}

CString Escaped(const CString& text)
{
    CString s(text);
    EscapeStoredText(s, FALSE);
    return s;
}

CString Unescaped(const CString& text)
{
    CString s(text);
    EscapeStoredText(s, TRUE);
    return s;
}

// What is wrong with the map just loaded (n records, or 0 with the sentinel kept), or empty.
CString Fault(CScriptDefinitionMap& map, int n)
{
    CStringArray names;
    map.GetNames(names);
    if (n == 0)
        return names.GetSize() == 1 && names[0] == L"sentinel" ? CString() : CString(L"map not kept");
    if (names.GetSize() < 1 || names.GetSize() > n)
        return L"more or fewer scripts than records";
    for (const CString& name : names)
    {
        const CString text = map.Lookup(name);
        // A save writes each escaped on one line, which a load unescapes.
        if (Escaped(name).FindOneOf(L"\r\n") >= 0 || Escaped(text).FindOneOf(L"\r\n") >= 0)
            return L"a script does not write back on one line";
        if (Unescaped(Escaped(name)) != name || Unescaped(Escaped(text)) != text)
            return L"written back and read again, a script changed";
    }
    return CString();
}

// Filling the block of every script: each filled line stays one VBScript statement whose
// value cannot leave its string.
CString FillFault(CScriptDefinitionMap& map)
{
    CStringArray names;
    map.GetNames(names);
    CUIntArray ids;
    ids.Add(113);
    ids.Add(109);
    CStringArray values;
    values.Add(L"disk \"X\" full\r\nWScript.Quit");
    values.Add(CString(L'\u00E9', 2000));
    for (const CString& name : names)
    {
        CStringArray constants;
        map.BuildVbScript(name, ids, values, constants);
        if (constants.GetSize() > 2 * ids.GetSize() * 64)
            return L"too many constants";
        if (map.Lookup(name).Find(L"\r\nWScript.Quit") >= 0)
            return L"a value left its string";
    }
    return CString();
}

} // namespace

class ScriptsFileMutationTest : public FileFixture
{
};

TEST_F(ScriptsFileMutationTest, HundredThousandDamagedFilesAreReadWholeOrNotAtAll)
{
    CScriptDefinitionMap original;
    AddScripts(original);
    const CString path = Path(L"scripts.txt");
    ASSERT_TRUE(original.SaveFile(path));
    const std::vector<std::string> pieces = {
        "@EOR@", "\r\n@EOR@\r\n", "\r\n", "\n", "\r", "#", "\r\n# x\r\n", "100 ", "101 ", "{{-\\n-}}", "{{-\\r-}}",
        "{{-\\t-}}", "{{-\\f-}}", "{{-", "-}}", "{{-\\", "' {{CLASS_VARIABLES", "' }}CLASS_VARIABLES",
        "{{-\\n-}}Const str113 = \"\"{{-\\n-}}", "Const str109 = \"\"\"\"", std::string(3000, '{'),
        std::string(1, '\0')};
    int nInput = 0;
    RunFileMutations("scripts file", kSeed, kInputs, path, pieces, [&path, &nInput](bool& bAccepted) {
        CScriptDefinitionMap map;
        map.SetScript(L"sentinel", L"kept");
        const int n = map.LoadFile(path);
        bAccepted = n > 0;
        CString fault = Fault(map, n);
        if (fault.IsEmpty() && nInput++ % 50 == 0)
            fault = FillFault(map);
        return fault;
    });
}
