// Base64 (RFC 4648 alphabet) encoder; there is no decoder.
#pragma once

#include <cstddef>

// Writes the encoding of nLength bytes to pOut, which is not zero-terminated and must hold 4
// characters per started 3 bytes plus the line feeds. With nGroupsPerLine > 0, a line feed
// follows every that-many full groups. Returns the number of characters written.
int Base64Encode(const unsigned char* pIn, char* pOut, size_t nLength, int nGroupsPerLine);
