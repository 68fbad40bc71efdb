#include "FileFixture.h"

#include "alarmmodel/ScriptDefinitionMap.h"
#include "framework/core/CMapStringToString.h"
#include "support/StringEx.h"
#include "tests/support/Mutation.h"

namespace
{
CString Escaped(const wchar_t* text)
{
    CString s(text);
    EscapeStoredText(s, FALSE);
    return s;
}

CString Unescaped(const wchar_t* text)
{
    CString s(text);
    EscapeStoredText(s, TRUE);
    return s;
}

const wchar_t BlockScript[] = L"Option Explicit\r\n"
                              L"' {{CLASS_VARIABLES\r\n"
                              L"Const str113 = \"\"\t' FLD_TEXT => Text\r\n"
                              L"Const str109 = \"\"\t' FLD_SOURCE_NAME => Source\r\n"
                              L"Const str112 = \"\"\r\n"
                              L"' }}CLASS_VARIABLES\r\n"
                              L"Const str113 = \"\"\r\n"
                              L"WScript.Echo str113";

CUIntArray Ids(std::initializer_list<UINT> items)
{
    CUIntArray ids;
    for (UINT id : items)
        ids.Add(id);
    return ids;
}

// The script's lines, split at CR LF.
CStringArray ScriptLines(const CString& text)
{
    CStringArray lines;
    int start = 0;
    for (int at; (at = text.Find(L"\r\n", start)) >= 0; start = at + 2)
        lines.Add(text.Mid(start, at - start));
    lines.Add(text.Mid(start));
    return lines;
}
} // namespace

TEST(EscapeStoredText, EachCharacterAndItsReverse)
{
    EXPECT_STREQ(L"x{{-\\t-}}y{{-\\r-}}{{-\\n-}}z", Escaped(L"x\ty\r\nz"));
    EXPECT_STREQ(L"{{-\\f-}}", Escaped(L"\f"));
    EXPECT_STREQ(L"\n", Unescaped(L"{{-\\n-}}"));
    EXPECT_STREQ(L"a\fb\tc\rd\ne", Unescaped(Escaped(L"a\fb\tc\rd\ne")));
    EXPECT_STREQ(L"plain {{-x-}}", Unescaped(L"plain {{-x-}}"));
}

TEST(ScriptDefinitionMapStore, SetLookupRemoveRename)
{
    CScriptDefinitionMap map;
    EXPECT_STREQ(L"", map.Lookup(L"absent"));
    map.SetScript(L"One", L"a");
    map.SetScript(L"One", L"b");
    EXPECT_STREQ(L"b", map.Lookup(L"One"));
    EXPECT_STREQ(L"", map.Lookup(L"one"));
    map.RemoveScript(L"absent");
    map.RenameScript(L"One", L"Two", L"c");
    EXPECT_STREQ(L"", map.Lookup(L"One"));
    EXPECT_STREQ(L"c", map.Lookup(L"Two"));
    map.RemoveScript(L"Two");
    CStringArray names;
    names.Add(L"stale");
    map.GetNames(names);
    EXPECT_EQ(0, names.GetSize());
}

TEST(ScriptDefinitionMapStore, NamesInBucketOrderNewestFirst)
{
    // Buckets: "b" 13, "a" 12, "r" 12 (added after "a"), "Ab" 65*33+98 = 2243 -> 16, "AB" 2211 -> 1.
    CScriptDefinitionMap map;
    for (const wchar_t* name : {L"b", L"a", L"Ab", L"r", L"AB"})
        map.SetScript(name, name);
    CStringArray names;
    map.GetNames(names);
    ASSERT_EQ(5, names.GetSize());
    EXPECT_STREQ(L"AB", names[0]);
    EXPECT_STREQ(L"r", names[1]);
    EXPECT_STREQ(L"a", names[2]);
    EXPECT_STREQ(L"b", names[3]);
    EXPECT_STREQ(L"Ab", names[4]);
    EXPECT_EQ(16u, CMapStringToString::HashKey(L"Ab") % 17);
    EXPECT_EQ(1u, CMapStringToString::HashKey(L"AB") % 17);
}

// The names of the map, sorted and joined with "|".
CString SortedNames(const CScriptDefinitionMap& map)
{
    CStringArrayEx names;
    map.GetNames(names);
    names.Sort(TRUE);
    return names.Join(L"|");
}

class ScriptsFileTest : public FileFixture
{
};

TEST_F(ScriptsFileTest, OneRecordOfThreeLinesPerScriptInBucketOrder)
{
    CScriptDefinitionMap map;
    map.SetScript(L"b", L"x\ty\r\nz");
    map.SetScript(L"a", L"MsgBox 1");
    map.SetScript(L"r", L"");
    const CString path = Path(L"scripts.txt");
    ASSERT_TRUE(map.SaveFile(path));

    const std::string file = ReadBytes(path);
    EXPECT_NE(std::string::npos, HeaderWithoutTime(file).find("#   Contents ..: Tervok Script Definitions\r\n"));
    const std::string body = file.substr(file.find("\r\n100 ") + 2);
    EXPECT_EQ("100 r\r\n101 \r\n@EOR@\r\n"
              "100 a\r\n101 MsgBox 1\r\n@EOR@\r\n"
              "100 b\r\n101 x{{-\\t-}}y{{-\\r-}}{{-\\n-}}z\r\n@EOR@\r\n",
              body);

    CScriptDefinitionMap back;
    back.LoadFile(path);
    EXPECT_STREQ(L"x\ty\r\nz", back.Lookup(L"b"));
    EXPECT_STREQ(L"MsgBox 1", back.Lookup(L"a"));
    CStringArray names;
    back.GetNames(names);
    EXPECT_EQ(3, names.GetSize());
}

TEST_F(ScriptsFileTest, LoadReplacesOrKeeps)
{
    CScriptDefinitionMap map;
    map.SetScript(L"old", L"1");
    map.LoadFile(Path(L"absent.txt"));
    EXPECT_STREQ(L"1", map.Lookup(L"old"));

    const CString path = Path(L"scripts.txt");
    WriteBytes(path, "# header\r\n100 {{-\\t-}}name\r\n101 {{-\\n-}}\r\n999 x\r\n@EOR@\r\n100 tail\r\n");
    map.LoadFile(path);
    EXPECT_STREQ(L"", map.Lookup(L"old"));
    EXPECT_STREQ(L"\n", map.Lookup(L"\tname"));
    EXPECT_STREQ(L"", map.Lookup(L"tail"));

    // No whole record: the map is kept, and the caller is told.
    WriteBytes(path, "100 a\r\n101 b\r\n");
    EXPECT_EQ(0, map.LoadFile(path));
    CStringArray names;
    map.GetNames(names);
    ASSERT_EQ(1, names.GetSize());
    EXPECT_STREQ(L"\n", map.Lookup(L"\tname"));
    EXPECT_EQ(0, map.LoadFile(Path(L"absent.txt")));

    WriteBytes(path, "100 a\r\n101 b\r\n@EOR@\r\n100 c\r\n@EOR@\r\n");
    EXPECT_EQ(2, map.LoadFile(path));
    map.GetNames(names);
    EXPECT_EQ(2, names.GetSize());
}

TEST_F(ScriptsFileTest, RevisionRaisedByOnePerSuccessfulSaveOnly)
{
    CScriptDefinitionMap map;
    map.SetScript(L"s", L"text");
    ASSERT_TRUE(map.SaveFile(Path(L"scripts.txt")));
    EXPECT_EQ(1, Revision());
    map.SetScript(L"s", L"\x4E2D");
    EXPECT_FALSE(map.SaveFile(Path(L"scripts.txt")));
    EXPECT_EQ(1, Revision());
    CScriptDefinitionMap back;
    back.LoadFile(Path(L"scripts.txt"));
    EXPECT_STREQ(L"text", back.Lookup(L"s"));
}

// Pasted text brings characters the 8-bit file cannot hold: the save names the script and the
// character, and the file stays as it was.
TEST_F(ScriptsFileTest, SaveRefusingACharacterSaysWhichScriptAndCharacter)
{
    CScriptDefinitionMap map;
    map.SetScript(L"plain", L"WScript.Echo 1");
    const CString path = Path(L"scripts.txt");
    ASSERT_TRUE(map.SaveFile(path));
    EXPECT_TRUE(map.m_strError.IsEmpty());

    map.SetScript(L"pasted", L"WScript.Echo \u201Cdone\u201D \u2013 5 \u20AC");
    EXPECT_FALSE(map.SaveFile(path));
    EXPECT_STREQ(L"The script \"pasted\" holds the character \"\u201C\" (U+201C), which the scripts file cannot hold.",
                 map.m_strError);
    EXPECT_EQ(1, Revision());
    CScriptDefinitionMap back;
    back.LoadFile(path);
    EXPECT_STREQ(L"", back.Lookup(L"pasted"));

    // Latin-1 is stored; a character beyond the 16-bit plane is named whole.
    map.SetScript(L"pasted", L"Gr\u00FC\u00DFe \u00E9");
    EXPECT_TRUE(map.SaveFile(path));
    EXPECT_EQ(-1, CScriptDefinitionMap::FindUnstorableCharacter(L"\u00FF"));
    EXPECT_EQ(2, CScriptDefinitionMap::FindUnstorableCharacter(L"ab\U0001F600"));
    EXPECT_STREQ(L"\"\U0001F600\" (U+1F600)", CScriptDefinitionMap::DescribeCharacter(L"ab\U0001F600", 2));
}

// The file writes a line feed, carriage return, TAB or form feed as an escape text: the same
// text typed into a script would read back as that character. The save refuses it, names the
// script and the text, and leaves the file as it was; text that only resembles one is kept.
TEST_F(ScriptsFileTest, SaveRefusesAnEscapeTextTypedAsSuch)
{
    CScriptDefinitionMap map;
    map.SetScript(L"plain", L"WScript.Echo 1");
    const CString path = Path(L"scripts.txt");
    ASSERT_TRUE(map.SaveFile(path));
    const struct
    {
        const wchar_t* pszName;
        const wchar_t* pszText;
        const wchar_t* pszError;
    } typed[] = {
        {L"typed", L"WScript.Echo \"a{{-\\n-}}b\"",
         L"The script \"typed\" holds the text \"{{-\\n-}}\", which the scripts file would read back as a line feed."},
        {L"typed", L"x = \"{{-\\r-}}\"",
         L"The script \"typed\" holds the text \"{{-\\r-}}\", which the scripts file would read back as a carriage "
         L"return."},
        {L"typed", L"' {{-\\t-}}", L"The script \"typed\" holds the text \"{{-\\t-}}\", which the scripts file would "
                                     L"read back as a TAB."},
        {L"in {{-\\f-}} title", L"x", L"The script \"in {{-\\f-}} title\" holds the text \"{{-\\f-}}\", which the "
                                       L"scripts file would read back as a form feed."},
    };
    for (const auto& entry : typed)
    {
        CScriptDefinitionMap changed;
        changed.CopyFrom(map);
        changed.SetScript(entry.pszName, entry.pszText);
        EXPECT_FALSE(changed.SaveFile(path)) << entry.pszText;
        EXPECT_STREQ(entry.pszError, changed.m_strError);
    }
    EXPECT_EQ(1, Revision());
    CScriptDefinitionMap back;
    back.LoadFile(path);
    EXPECT_STREQ(L"plain", SortedNames(back));

    const wchar_t szNear[] = L"{{-\\x-}} {{-\n-}} {{- \\n -}} {{-\\n-} \\n {{-\\N-}}";
    map.SetScript(L"near", szNear);
    EXPECT_TRUE(map.SaveFile(path)) << map.m_strError.GetString();
    back.LoadFile(path);
    EXPECT_STREQ(szNear, back.Lookup(L"near"));
}

// A file cut short anywhere inside a record is reported damaged, with the record where the cut
// lies; the whole records before the cut are read all the same. A cut between records cannot be
// told from a shorter file.
TEST_F(ScriptsFileTest, EveryCutInsideARecordIsReportedDamaged)
{
    CScriptDefinitionMap map;
    map.SetScript(L"first", L"WScript.Echo 1\r\nWScript.Echo 2");
    map.SetScript(L"second", L"x = 1");
    map.SetScript(L"third", L"");
    const CString path = Path(L"scripts.txt");
    ASSERT_TRUE(map.SaveFile(path));
    const std::string whole = ReadBytes(path);
    const size_t nBody = whole.find("\r\n100 ") + 2;
    ASSERT_NE(std::string::npos, nBody);
    for (size_t nCut = nBody; nCut <= whole.size(); ++nCut)
    {
        const std::string cut = whole.substr(0, nCut);
        int nWhole = 0;
        for (size_t at = cut.find("@EOR@", nBody); at != std::string::npos; at = cut.find("@EOR@", at + 1))
        {
            if (at + 5 == cut.size() || cut.compare(at + 5, 2, "\r\n") == 0)
                ++nWhole;
        }
        const bool bAtRecordEnd = nCut == nBody || nCut == cut.rfind("@EOR@") + 5 ||
                                  (cut.size() >= 7 && cut.compare(cut.size() - 7, 7, "@EOR@\r\n") == 0);
        WriteBytes(path, cut);
        CScriptDefinitionMap read;
        read.SetScript(L"sentinel", L"kept");
        EXPECT_EQ(nWhole, read.LoadFile(path)) << nCut;
        EXPECT_EQ(!bAtRecordEnd, !!read.m_bDamaged) << nCut << ": " << testsupport::Printable(cut.substr(nBody));
        CString strError;
        if (!bAtRecordEnd)
            strError.Format(L"The scripts file %s is damaged: its script record %d is cut short.", (const wchar_t*)path,
                            nWhole + 1);
        EXPECT_STREQ(strError, read.m_strError) << nCut;
    }
}

// A record that lost its end, its title or its text line is damaged too; empty lines and lines
// of other tags are not.
TEST_F(ScriptsFileTest, RecordsMissingALineAreReportedDamaged)
{
    const CString path = Path(L"scripts.txt");
    const struct
    {
        const char* pszBody;
        int nRecords;
        int nDamaged; // the record reported, 0 for none
    } files[] = {
        {"100 a\r\n101 x\r\n@EOR@\r\n\r\n100 b\r\n999 other\r\n101 y\r\n@EOR@\r\n\r\n", 2, 0},
        {"100 a\r\n101 x\r\n100 b\r\n101 y\r\n@EOR@\r\n", 1, 1},
        {"100 a\r\n101 x\r\n@EOR@\r\n101 y\r\n@EOR@\r\n100 c\r\n101 z\r\n@EOR@\r\n", 3, 2},
        {"100 a\r\n101 x\r\n@EOR@\r\n100 b\r\n@EOR@\r\n", 2, 2},
        {"100 a\r\n101 x\r\n101 y\r\n@EOR@\r\n", 1, 1},
        {"100 a\r\n101 x\r\n@EOR@\r\n@EOR@\r\n", 2, 2},
        {"100 a\r\n101 x\r\n@EOR@\r\n100 tail\r\n", 1, 2},
        {"100 a\r\n101 x\r\n@EOR@ \r\n", 0, 1},
    };
    for (const auto& file : files)
    {
        WriteBytes(path, std::string("# header\r\n") + file.pszBody);
        CScriptDefinitionMap read;
        EXPECT_EQ(file.nRecords, read.LoadFile(path)) << file.pszBody;
        EXPECT_EQ(file.nDamaged != 0, !!read.m_bDamaged) << file.pszBody;
        CString strRecord;
        strRecord.Format(L"record %d is cut short", file.nDamaged);
        EXPECT_EQ(file.nDamaged ? 0 : -1, read.m_strError.Find(L"The scripts file ")) << file.pszBody;
        if (file.nDamaged)
        {
            EXPECT_NE(-1, read.m_strError.Find(strRecord)) << file.pszBody << " " << CStringA(read.m_strError).GetString();
        }
    }
    // A load of a whole file forgets an earlier damage.
    CScriptDefinitionMap read;
    WriteBytes(path, "100 a\r\n");
    read.LoadFile(path);
    WriteBytes(path, "100 a\r\n101 x\r\n@EOR@\r\n");
    EXPECT_EQ(1, read.LoadFile(path));
    EXPECT_FALSE(read.m_bDamaged);
    EXPECT_TRUE(read.m_strError.IsEmpty());
}

// A folder in the file's place cannot be replaced (under Wine a read-only file can).
TEST_F(ScriptsFileTest, SaveThatCannotWriteSaysWhereAndWhy)
{
    const CString path = Path(L"scripts.txt");
    ASSERT_TRUE(CreateDirectoryW(path, nullptr));
    CScriptDefinitionMap map;
    map.SetScript(L"s", L"1");
    const BOOL bSaved = map.SaveFile(path);
    RemoveDirectoryW(path);
    EXPECT_FALSE(bSaved);
    const CString strStart = L"The scripts could not be written to " + path + L". ";
    EXPECT_EQ(0, map.m_strError.Find(strStart)) << map.m_strError.GetString();
    EXPECT_GT(map.m_strError.GetLength(), strStart.GetLength() + 2);
    EXPECT_EQ(-1, Revision());
}

// What the Script Manager needs to put its own changes into the file as another one left it.
TEST(ScriptDefinitionMapStore, ChangedNamesAndTakingThemOver)
{
    CScriptDefinitionMap before;
    for (const wchar_t* name : {L"b", L"a", L"r", L"kept"})
        before.SetScript(name, name);
    CScriptDefinitionMap after;
    after.CopyFrom(before);
    CStringArrayEx names, copied;
    before.GetNames(names);
    after.GetNames(copied);
    EXPECT_STREQ(names.Join(L"|"), copied.Join(L"|"));

    after.SetScript(L"a", L"changed");
    after.RemoveScript(L"b");
    after.SetScript(L"new", L"");
    after.SetScript(L"r", L"r");
    after.GetChangedNames(before, names);
    names.Sort(TRUE);
    EXPECT_STREQ(L"a|b|new", names.Join(L"|"));
    EXPECT_FALSE(after.SameScript(before, L"new"));
    EXPECT_TRUE(after.SameScript(before, L"absent"));

    CScriptDefinitionMap file;
    file.SetScript(L"b", L"b");
    file.SetScript(L"other", L"o");
    for (const CString& name : names)
        file.TakeScript(after, name);
    EXPECT_STREQ(L"a|new|other", SortedNames(file));
    EXPECT_STREQ(L"changed", file.Lookup(L"a"));
}

TEST(BuildVbScript, FillsOnlyTheBlockAndListsTheConstants)
{
    CScriptDefinitionMap map;
    map.SetScript(L"s", BlockScript);
    CStringArray names;
    names.Add(L"stale");
    map.BuildVbScript(L"s", Ids({113, 109, 201}), Lines({L"disk \"X\" full", L"Srv", L"unused"}), names);

    ASSERT_EQ(2, names.GetSize());
    EXPECT_STREQ(L"str113", names[0]);
    EXPECT_STREQ(L"str109", names[1]);
    const CStringArray lines = ScriptLines(map.Lookup(L"s"));
    ASSERT_EQ(8, lines.GetSize());
    EXPECT_STREQ(L"Dim str113 : str113 = \"disk \"\"X\"\" full\"\t' FLD_TEXT => Text", lines[2]);
    EXPECT_STREQ(L"Dim str109 : str109 = \"Srv\"\t' FLD_SOURCE_NAME => Source", lines[3]);
    EXPECT_STREQ(L"Const str112 = \"\"", lines[4]);
    // After the block nothing changes.
    EXPECT_STREQ(L"Const str113 = \"\"", lines[6]);
}

TEST(BuildVbScript, LineBreaksAndFormatTextsStayInsideTheLiteral)
{
    CScriptDefinitionMap map;
    map.SetScript(L"s", BlockScript);
    CStringArray names;
    map.BuildVbScript(L"s", Ids({113, 109}), Lines({L"a\r\nWScript.Quit\rb\nc", L"%s%n%d"}), names);
    const CStringArray lines = ScriptLines(map.Lookup(L"s"));
    ASSERT_EQ(8, lines.GetSize());
    EXPECT_STREQ(L"Dim str113 : str113 = \"a\" & Chr(13) & Chr(10) & \"WScript.Quit\" & Chr(13) & \"b\" & Chr(10) & \"c\""
                 L"\t' FLD_TEXT => Text",
                 lines[2]);
    EXPECT_STREQ(L"Dim str109 : str109 = \"%s%n%d\"\t' FLD_SOURCE_NAME => Source", lines[3]);
}

TEST(BuildVbScript, LongValuesAreCutBeforeQuoting)
{
    CScriptDefinitionMap map;
    map.SetScript(L"s", L"' {{CLASS_VARIABLES\nConst str113 = \"\"\n' }}CLASS_VARIABLES");
    CString value(L'v', 1023);
    value += L"\"";
    value += CString(L'w', 976);
    CStringArray names;
    map.BuildVbScript(L"s", Ids({113}), Lines({value}), names);
    const CStringArray lines = ScriptLines(map.Lookup(L"s"));
    ASSERT_EQ(3, lines.GetSize());
    EXPECT_STREQ(L"Dim str113 : str113 = \"" + CString(L'v', 1023) + L"\"\"\"", lines[1]);
}

TEST(BuildVbScript, WithoutBlockOnlyLineEndsChangeAndAbsentNamesStoreEmpty)
{
    CScriptDefinitionMap map;
    map.SetScript(L"plain", L"a\nb\r\nc\rd");
    CStringArray names;
    map.PrepareScript(L"plain", Ids({113}), Lines({L"x"}));
    EXPECT_STREQ(L"a\r\nb\r\ncd", map.Lookup(L"plain"));

    map.BuildVbScript(L"absent", Ids({113}), Lines({L"x"}), names);
    EXPECT_EQ(0, names.GetSize());
    CStringArray all;
    map.GetNames(all);
    EXPECT_EQ(2, all.GetSize());
    EXPECT_STREQ(L"", map.Lookup(L"absent"));

    // Fewer values than ids: the missing value is empty text.
    map.SetScript(L"s", BlockScript);
    map.BuildVbScript(L"s", Ids({109, 113}), Lines({L"Srv"}), names);
    EXPECT_EQ(2, names.GetSize());
    EXPECT_STREQ(L"Dim str113 : str113 = \"\"\t' FLD_TEXT => Text", ScriptLines(map.Lookup(L"s"))[2]);
}

// A value of control characters only, and a field id that is the start of another's.
TEST(BuildVbScript, ControlCharactersAloneAndIdsThatArePrefixes)
{
    CScriptDefinitionMap map;
    map.SetScript(L"s", L"' {{CLASS_VARIABLES\nConst str101 = \"\"\nConst str10 = \"\" ' x \"\"\n' }}CLASS_VARIABLES");
    CStringArray names;
    map.BuildVbScript(L"s", Ids({10, 101}), Lines({L"\r\n\t", L"a"}), names);
    const CStringArray lines = ScriptLines(map.Lookup(L"s"));
    ASSERT_EQ(4, lines.GetSize());
    EXPECT_STREQ(L"Dim str101 : str101 = \"a\"", lines[1]);
    EXPECT_STREQ(L"Dim str10 : str10 = Chr(13) & Chr(10) & Chr(9) ' x \"\"", lines[2]);
    ASSERT_EQ(2, names.GetSize());
    EXPECT_STREQ(L"str101", names[0]);
    EXPECT_STREQ(L"str10", names[1]);
}
