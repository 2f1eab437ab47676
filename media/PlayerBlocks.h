// Player blocks: process-heap blocks, zero-filled at exactly their data size,
// in which the players hand payloads from one thread to the next.
#pragma once
#include <windows.h>
#include <cstddef>

inline void* HeapAllocZero(size_t bytes) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes); }
inline void HeapFreeBlock(void* block)
{
    if (block) HeapFree(GetProcessHeap(), 0, block);
}
inline size_t HeapBlockSize(const void* block) { return HeapSize(GetProcessHeap(), 0, block); }
