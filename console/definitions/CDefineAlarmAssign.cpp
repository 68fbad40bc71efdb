#include "console/definitions/CDefineAlarmAssign.h"

#include "framework/window/CDataExchange.h"
#include "resources/console/DefinitionsRes.h"

CDefineAlarmAssign::CDefineAlarmAssign() : CPropertyPage(IDD_DEFINE_ASSIGN)
{
}

void CDefineAlarmAssign::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_ASSIGN_PRIORITY, m_comboPriority);
    DDX_Control(pDX, IDC_ASSIGN_TO, m_comboAssignedTo);
}

void CDefineAlarmAssign::SetAssign(const CAlarmDefinition& definition, const CStringArray& arrAssignees,
                                   const CStringArray& arrPriorities)
{
    m_comboAssignedTo.AddItems(arrAssignees);
    m_comboPriority.AddItems(arrPriorities);
    m_comboAssignedTo.SetWindowText(definition.m_strAssignedTo);
    m_comboPriority.SetWindowText(definition.m_strPriority);
}
