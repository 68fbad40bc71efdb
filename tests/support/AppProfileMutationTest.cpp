// Integer lists, rectangles and string lists of the profile, their stored bytes damaged in every
// way (flipped, inserted, cut, overwritten, of another type): each read stays within the bytes
// stored, and a rectangle is taken only when exactly four numbers are there.
#include "support/AppProfile.h"

#include "tests/support/Mutation.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <iostream>
#include <map>

namespace
{
const uint32_t kSeed = 20261214;
// Each input is three registry writes and five reads, which under Wine cost milliseconds.
const int kInputs = 40000;

class AppProfileMutationTest : public ::testing::Test, protected testsupport::CScratchProfileApp
{
protected:
    void StoreRaw(const wchar_t* pszName, DWORD dwType, const std::string& bytes)
    {
        HKEY hSection = m_app.GetSectionKey(L"Belvane");
        ASSERT_TRUE(hSection);
        RegSetValueExW(hSection, pszName, 0, dwType, (const BYTE*)bytes.data(), (DWORD)bytes.size());
        RegCloseKey(hSection);
    }

    CAppProfile m_profile;
};

std::string Utf16(const wchar_t* pszText, bool bTerminator)
{
    return std::string((const char*)pszText, (wcslen(pszText) + (bTerminator ? 1 : 0)) * sizeof(wchar_t));
}

// What is wrong with the reads of the damaged values, or null.
const char* Fault(CAppProfile& profile, size_t nListBytes, size_t nRectBytes, size_t nStringBytes)
{
    std::vector<int> values;
    profile.GetIntList(L"Widths", values);
    if (values.size() > nListBytes / 2 + 1)
        return "more numbers than the stored text has characters";
    profile.GetIntList(L"Main Frame Size rect", values);
    const RECT rectDefault = {-7, -7, -7, -7};
    RECT rect = profile.GetRect(L"Main Frame Size", rectDefault);
    if (values.size() > nRectBytes / 2 + 1)
        return "more numbers than the stored text has characters";
    if (values.size() == 4 ? rect.top != values[0] || rect.bottom != values[1] || rect.left != values[2] ||
                                 rect.right != values[3]
                           : memcmp(&rect, &rectDefault, sizeof rect) != 0)
        return "a rectangle taken from other than exactly four numbers";
    CStringArray strings;
    profile.GetStringList(L"CAlarmsSideBar::titles", strings);
    size_t nChars = 0;
    for (const CString& s : strings)
    {
        if ((int)wcslen(s) != s.GetLength())
            return "a string holding a NUL";
        nChars += s.GetLength() + 1;
    }
    if (nChars > nStringBytes / 2 + 1 || (size_t)strings.GetSize() > nStringBytes / 2 + 1)
        return "more strings or characters than the stored bytes hold";
    return nullptr;
}
} // namespace

TEST_F(AppProfileMutationTest, FortyThousandDamagedListsAreReadWithinTheirBytes)
{
    std::cout << "profile list mutation: seed " << kSeed << ", " << kInputs << " inputs" << std::endl;
    RecordProperty("seed", (int)kSeed);
    const std::string list = Utf16(L"10,-2,300,45,0,2147483647,-2147483648,1024", true);
    const std::string rect = Utf16(L"20,580,40,820", true);
    CStringArray titles;
    for (const wchar_t* title : {L"Ages", L"From", L"Status \u00C4nderung", L"", L"Assigned to \u20AC",
                                 L"Priorit\u00E4t \u4E2D"})
        titles.Add(title);
    m_profile.WriteStringList(L"CAlarmsSideBar::titles", titles);
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(m_app.GetProfileBinary(L"Belvane", L"CAlarmsSideBar::titlesW", &pData, &nBytes));
    const std::string strings((const char*)pData, nBytes);
    delete[] pData;
    const std::vector<std::string> pieces = {",", ",,,,", "-", "+", " ", std::string(2, '\0'), Utf16(L"99999999999999999999", false),
                                             Utf16(L",", false), Utf16(L"\u00E9", false), std::string(600, ',')};

    std::map<std::string, int> faults;
    for (int i = 0; i < kInputs; ++i)
    {
        testsupport::CMutator mutator(kSeed ^ (uint32_t)(i * 2654435761u));
        std::string damaged[] = {list, rect, strings};
        const DWORD types[] = {REG_SZ, REG_SZ, REG_BINARY};
        const wchar_t* names[] = {L"Widths", L"Main Frame Size rect", L"CAlarmsSideBar::titlesW"};
        for (int k = 0; k < 3; ++k)
        {
            if (mutator.Chance(40))
                mutator.MutateBytes(damaged[k], pieces);
            const DWORD dwType = mutator.Chance(5) ? (DWORD)mutator.Below(12) : types[k];
            StoreRaw(names[k], dwType, damaged[k]);
        }
        const char* fault = Fault(m_profile, damaged[0].size(), damaged[1].size(), damaged[2].size());
        if (fault && faults.emplace(fault, i).second)
            ADD_FAILURE() << "seed " << kSeed << ", input " << i << ": " << fault;
    }
}
