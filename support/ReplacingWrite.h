// A file written beside its target and put in the target's place only once it is whole, so that
// a failed write (a full disk, a lost share) leaves the previous file as it was.
#pragma once

#include "framework/core/CString.h"

#include <functional>

// write gets the path of the new file (made empty in the target's folder) and answers whether
// everything was written. FALSE, with the target untouched and the new file gone, when the new
// file cannot be made, written or moved into place.
BOOL WriteBesideThenReplace(const CString& strTarget, const std::function<BOOL(const wchar_t* pszNewFile)>& write);
