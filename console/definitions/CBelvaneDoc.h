// The alarm definitions window's document: it owns the console's collection of definitions,
// read from the definitions file when the document is made. Every window on it (Window > New
// Window) shows this one collection; a change made in one is written to the file and shown in
// the others.
#pragma once

#include "alarmmodel/AlarmDefinitionList.h"
#include "framework/frames/CDocument.h"

// The update hint of a change, telling the other views whether their rows still fit.
enum
{
    DEFINITIONS_HINT_EDITED = 1,  // definitions changed or added: every index still holds
    DEFINITIONS_HINT_REPLACED = 2 // definitions removed or reloaded: indexes changed
};

class CBelvaneDoc : public CDocument
{
    DECLARE_DYNCREATE(CBelvaneDoc)
public:
    BOOL OnNewDocument() override;
    void DeleteContents() override;

    CAlarmDefinitionList& GetDefinitions() { return m_definitions; }
    // Writes the collection to the definitions file, then tells every view but pSender
    // (lHint: a DEFINITIONS_HINT_); FALSE when the file could not be written, with the system's
    // reason in dwError, the change being kept and shown all the same.
    BOOL SaveAndUpdate(CView* pSender, LPARAM lHint, DWORD& dwError);

private:
    CAlarmDefinitionList m_definitions;
};
