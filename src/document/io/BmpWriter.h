// Windows bitmap files written by the program itself.
#pragma once

#include <string>

#include "engine/Bitmap.h"

namespace rv {

// Writes a 24-bit uncompressed bottom-up BMP. False when the file cannot be written.
bool WriteBmp24(const Bitmap& picture, const std::string& path);

// The depths a bitmap file can be saved with.
constexpr bool IsBmpDepth(int depth) { return depth == 8 || depth == 16 || depth == 24 || depth == 32; }

// Writes an uncompressed bottom-up BMP of the given depth: 8 bits with the
// picture's median-cut palette (see ColorReduce.h), 16 bits as 5-5-5, 24 bits,
// or 32 bits (blue, green, red, 0xFF). The picture itself is not changed.
// False for another depth or when the file cannot be written.
bool WriteBmp(const Bitmap& picture, const std::string& path, int depth);

// The 5-bit level whose usual widening to 8 bits, (v5 << 3) | (v5 >> 2), is
// nearest to v (0..255): at most 4 away.
int To5Bits(int v);

}  // namespace rv
