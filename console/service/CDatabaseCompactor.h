// Compacts a Microsoft Access database file in place through the ODBC installer while the
// alarms service is stopped, as it is looked at before the question and again after Yes. The old file is kept under a dated name; when the compacted copy
// cannot take the file's name, the old file is put back, so that the data source keeps a file.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

class CDatabaseCompactor
{
public:
    explicit CDatabaseCompactor(HWND hOwner);
    virtual ~CDatabaseCompactor() {}

    // Asks, compacts and reports in message boxes. TRUE when the installer was called and the
    // list of facts is to be read again.
    BOOL Compact(const CString& strFilename);

    // The file name without a final ".mdb" in any letter case.
    static CString BaseName(const CString& strFilename);
    // " %Y-%m-%d %H-%M-%S" of the given local time.
    static CString Stamp(const SYSTEMTIME& time);

private:
    BOOL ServiceAllowsCompaction();
    void ReportInstallerFailure(const CStringA& strAttributes);
    int Show(const CString& strText, UINT nType);

    HWND m_hOwner;
};
