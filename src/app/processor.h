// The processor test and the MMX routines that use its answer.
#pragma once

#include <stddef.h>

// 0 when MMX is available; 1 without CPUID, 2 without CPUID leaf 1,
// 3 without the MMX flag (and on processors that are not x86).
int DetectMmx();

// Clears the MMX register state (EMMS) so x87 code may run afterwards.
void EndMmx();

// Zeroes `bytes` bytes (a multiple of 8, 8-byte aligned) with 64-bit MMX
// stores, then EMMS. Only called when MMX is available.
void MmxClear(void* destination, size_t bytes);
