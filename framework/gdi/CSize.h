// A width and height.
#pragma once

#include <windows.h>

class CSize : public tagSIZE
{
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE size) { cx = size.cx; cy = size.cy; }
    bool operator==(const SIZE& size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(const SIZE& size) const { return !(*this == size); }
};
