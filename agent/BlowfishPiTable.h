// Blowfish's initial subkeys: the hexadecimal digits of pi (see tools/blowfish-pi-table).
#pragma once

#include <windows.h>

extern const UINT32 g_blowfishInitialP[18];
extern const UINT32 g_blowfishInitialS[4][256];
