// The Repeats / Threshold page of the alarm-definition sheet: how often the definition may
// raise an alarm, and how many matches within a time window it needs first. Each number is 0
// to 9999; a number typed beside a choice switches the choice to match it.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "framework/controls/CSpinButtonCtrl.h"
#include "framework/window/CPropertyPage.h"

class CDefineAlarmThreshold : public CPropertyPage
{
public:
    static const int nMaxNumber = 9999;

    CDefineAlarmThreshold();

    void SetThreshold(const CAlarmDefinition& definition);
    // Each getter reads the controls; a choice without a limit gives 0.
    int GetThresholdCount();
    // As last read from the controls, whatever the choice.
    int GetThresholdSecs() const { return m_nThresholdSecs; }
    int GetRepeatSecs();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnNumberChange();
    DECLARE_MESSAGE_MAP()

private:
    // Writes the controls without reacting to the changes it makes.
    void WriteControls();

    CSpinButtonCtrl m_spinRepeat;
    CSpinButtonCtrl m_spinThresholdSecs;
    CSpinButtonCtrl m_spinThresholdCount;
    int m_nThresholdChoice;
    int m_nThresholdCount;
    int m_nThresholdSecs;
    int m_nRepeatChoice;
    int m_nRepeatSecs;
    BOOL m_bInitialised;
    BOOL m_bWriting;
};
