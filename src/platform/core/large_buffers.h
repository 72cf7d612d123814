#pragma once
// Buffers of tens of megabytes that are filled once from start to end, such as the text
// of a large export. Each first touch of a small memory page costs a trap into the
// system, and over a hundred megabytes those traps outweigh the writing itself; large
// pages take one trap where small ones take five hundred.

#include <cstddef>

// Asks for large pages over the whole pages inside [Data, Data + Bytes). Only a hint:
// where the system has no large pages, or the range is small, nothing changes.
void AdviseLargeBuffer(void* Data, std::size_t Bytes);
