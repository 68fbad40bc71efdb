// POSITION walks over a vector of pointers: the position of element i is i + 1, so that a null
// position ends the walk. A position stays valid while the elements before it stay.
#pragma once

#include "framework/core/CObject.h"

#include <vector>

template <typename T>
POSITION AfxFirstPosition(const std::vector<T*>& list)
{
    return list.empty() ? nullptr : (POSITION)(UINT_PTR)1;
}

// The element at rPosition (null past the end); rPosition moves on.
template <typename T>
T* AfxNextAt(const std::vector<T*>& list, POSITION& rPosition)
{
    size_t nIndex = (size_t)(UINT_PTR)rPosition - 1;
    T* pElement = nIndex < list.size() ? list[nIndex] : nullptr;
    rPosition = nIndex + 1 < list.size() ? (POSITION)(UINT_PTR)(nIndex + 2) : nullptr;
    return pElement;
}
