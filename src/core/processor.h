// The processor test and the MMX routines that use its answer.
#pragma once

#include <stddef.h>

// 0 when MMX is available; 1 without CPUID, 2 without CPUID leaf 1,
// 3 without the MMX flag (and on processors that are not x86).
int DetectMmx();

// Clears the MMX register state (EMMS) so x87 code may run afterwards.
void EndMmx();

// Zeroes `count` 32-bit words with string stores (REP STOSD on x86).
void StringFill32(void* destination, size_t count);
// Copies `count` 32-bit words with string moves (REP MOVSD on x86).
void StringCopy32(void* destination, const void* source, size_t count);
// Copies `bytes` bytes (a multiple of 16) with two 64-bit MMX loads and two
// stores a round, then EMMS. Only called when MMX is available.
void MmxCopy(void* destination, const void* source, size_t bytes);

// Zeroes `bytes` bytes (a multiple of 8, 8-byte aligned) with 64-bit MMX
// stores, then EMMS. Only called when MMX is available.
void MmxClear(void* destination, size_t bytes);
