// Mutation runs over a frame's saved bar state: layouts saved from the frame are written back
// damaged value by value (numbers, bits, values gone or of another type, sections repeated or
// added) and restored; after each restore every bar must sit once in the rows of the dock bar
// that is its parent.
#pragma once

#include "framework/bars/CDockBar.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/window/CWinApp.h"
#include "tests/support/Mutation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <vector>

class CBarStateMutation
{
public:
    CBarStateMutation(CWinApp& app, CFrameWnd* pFrame, std::vector<CControlBar*> bars)
        : m_app(app), m_pFrame(pFrame), m_bars(bars) {}

    // Saves the frame's present layout as one of those the run starts from.
    void SaveLayout()
    {
        m_pFrame->SaveBarState(L"Base");
        Layout layout;
        for (const wchar_t* pszName : {L"Version", L"Bars"})
            layout[L"-Summary"][pszName] = m_app.GetProfileInt(L"Base-Summary", pszName, 0);
        for (size_t i = 0; i < m_bars.size(); ++i)
            for (const wchar_t* pszName : kNames)
                layout[BarSuffix((int)i)][pszName] = m_app.GetProfileInt(L"Base" + BarSuffix((int)i), pszName, 0);
        m_layouts.push_back(layout);
    }

    // nInputs damaged states restored in turn; pump runs every nPumpEvery inputs.
    void Run(uint32_t nSeed, int nInputs, int nPumpEvery, const std::function<void()>& pump)
    {
        std::cout << "bar state mutation: seed " << nSeed << ", " << nInputs << " inputs" << std::endl;
        ::testing::Test::RecordProperty("seed", (int)nSeed);
        std::map<std::string, int> faults;
        const int nExtra = (int)m_bars.size() + 2;
        for (int i = 0; i < nInputs; ++i)
        {
            testsupport::CMutator mutator(nSeed ^ (uint32_t)(i * 2654435761u));
            const Layout& layout = m_layouts[mutator.Below(m_layouts.size())];
            for (const auto& section : layout)
                for (const auto& value : section.second)
                    m_app.WriteProfileInt(L"Mut" + section.first, value.first, (int)value.second);
            const int nChanges = 1 + (int)mutator.Below(4);
            for (int c = 0; c < nChanges; ++c)
                Damage(mutator, layout, nExtra);
            m_pFrame->LoadBarState(L"Mut");
            if (i % nPumpEvery == 0)
                pump();
            CString fault = Fault();
            if (!fault.IsEmpty() && faults.emplace(CStringA(fault).GetString(), i).second)
                ADD_FAILURE() << "seed " << nSeed << ", input " << i << ": " << CStringA(fault).GetString();
            HKEY hApp = m_app.GetAppRegistryKey();
            for (int k = (int)m_bars.size(); k < nExtra; ++k)
                RegDeleteKeyW(hApp, L"Mut" + BarSuffix(k));
            RegCloseKey(hApp);
        }
    }

    // What is wrong with the frame's bars and rows, or empty: every bar sits once in the rows
    // of the dock bar that is its parent, every row list begins and ends with a break and holds
    // no empty row, and every listed bar names that dock bar.
    CString Fault() const
    {
        std::vector<CDockBar*> docks;
        for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
            docks.push_back(m_pFrame->GetDockBar(nID));
        for (CControlBar* pBar : m_bars)
        {
            CDockBar* pDock = (CDockBar*)pBar->m_pDockBar;
            if (!pDock)
                return L"a bar lost its dock bar";
            if (pDock->IsFloatingDockBar() && std::find(docks.begin(), docks.end(), pDock) == docks.end())
            {
                if (!::IsWindow(::GetParent(pDock->m_hWnd)))
                    return L"a floating bar without its mini frame";
                docks.push_back(pDock);
            }
            if (std::find(docks.begin(), docks.end(), pDock) == docks.end())
                return L"a bar in a dock bar that is not the frame's";
            if (::GetParent(pBar->m_hWnd) != pDock->m_hWnd)
                return L"a bar's window is not in its dock bar";
        }
        for (CDockBar* pDock : docks)
        {
            const std::vector<CControlBar*>& rows = pDock->m_arrBars;
            if (rows.empty() || rows.front() || rows.back())
                return L"a row list that does not begin and end with a break";
            for (size_t k = 1; k < rows.size(); ++k)
            {
                if (!rows[k] && !rows[k - 1])
                    return L"an empty row";
                if (rows[k] && rows[k]->m_pDockBar != pDock)
                    return L"a listed bar names another dock bar";
                if (rows[k] && std::count(rows.begin(), rows.end(), rows[k]) != 1)
                    return L"a bar listed twice";
            }
            for (CControlBar* pBar : m_bars)
                if ((pBar->m_pDockBar == pDock) != (pDock->FindBar(pBar) >= 0))
                    return L"a bar missing from its dock bar's rows, or listed in another";
        }
        return CString();
    }

private:
    typedef std::map<CString, std::map<CString, DWORD>> Layout; // section suffix -> value -> number
    static constexpr const wchar_t* kNames[] = {L"BarID", L"Visible", L"DockBarID", L"Row", L"XPos", L"YPos"};

    static CString BarSuffix(int nBar)
    {
        CString strSuffix;
        strSuffix.Format(L"-Bar%d", nBar);
        return strSuffix;
    }

    // One value damaged: of the summary, of a saved bar, or of a section past the saved ones
    // that starts as a copy of the first.
    void Damage(testsupport::CMutator& mutator, const Layout& layout, int nExtra)
    {
        CString strSection;
        const wchar_t* pszName;
        if (mutator.Chance(15))
        {
            strSection = L"Mut-Summary";
            pszName = mutator.Chance(50) ? L"Bars" : L"Version";
        }
        else
        {
            int nBar = (int)mutator.Below((size_t)nExtra);
            strSection = L"Mut" + BarSuffix(nBar);
            if (nBar >= (int)m_bars.size())
                for (const auto& value : layout.at(L"-Bar0"))
                    m_app.WriteProfileInt(strSection, value.first, (int)value.second);
            pszName = kNames[mutator.Below(6)];
        }
        HKEY hSection = m_app.GetSectionKey(strSection);
        if (!hSection)
            return;
        mutator.MutateValue(hSection, pszName);
        RegCloseKey(hSection);
    }

    CWinApp& m_app;
    CFrameWnd* m_pFrame;
    std::vector<CControlBar*> m_bars;
    std::vector<Layout> m_layouts;
};
