// The COM ports offered for the GSM modem: every "COMn" (1 to 255) whose default configuration
// the system gives, else COM1 to COM4.
#pragma once

#include "framework/Framework.h"

#include <functional>

class CDataComboBox;

// The system's GetDefaultCommConfigW, or a stand-in that plays its answers.
typedef BOOL(WINAPI* DefaultCommConfigQuery)(LPCWSTR pszName, LPCOMMCONFIG pConfig, LPDWORD pdwSize);

// fnAnswers tells whether a port name answers; the real one asks the system.
CStringArray ComPortNames(const std::function<BOOL(const CString&)>& fnAnswers);
BOOL ComPortAnswers(const CString& strPort);
// Whether the port gives its default configuration when pfnQuery asks for it, also when that
// is larger than a COMMCONFIG.
BOOL ComPortAnswersQuery(const CString& strPort, DefaultCommConfigQuery pfnQuery);

// The ports in the combo, each with its position as data; the port named strChosen is selected
// when listed, else the first.
void FillComPortCombo(CDataComboBox& combo, const CString& strChosen,
                      const std::function<BOOL(const CString&)>& fnAnswers = ComPortAnswers);
// As FillComPortCombo, but a chosen port that is not listed is added at the end as
// "<port> (not present)" and selected, so that saving keeps it.
void FillComPortComboKeepingChosen(CDataComboBox& combo, const CString& strChosen,
                                   const std::function<BOOL(const CString&)>& fnAnswers = ComPortAnswers);
// The selected port's name, without the mark of a port that is not present.
CString SelectedComPort(const CDataComboBox& combo);
