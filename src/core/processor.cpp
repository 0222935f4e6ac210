// The processor test and the MMX and string routines that use its answer.
#include "core/processor.h"

#include <string.h>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#define HIREN_X86 1
#endif

#if HIREN_X86
namespace {
// Toggles the ID flag (bit 21) of EFLAGS; it sticks only where CPUID exists.
bool HasCpuid()
{
    size_t before, after;  // register-wide: 32 or 64 bits
    __asm__ volatile(
        "pushf\n\t"
        "pop %0\n\t"
        "mov %0, %1\n\t"
        "xor $0x200000, %1\n\t"
        "push %1\n\t"
        "popf\n\t"
        "pushf\n\t"
        "pop %1\n\t"
        "push %0\n\t"
        "popf\n\t"
        : "=&r"(before), "=&r"(after)
        :
        : "cc");
    return ((before ^ after) & 0x200000) != 0;
}
}  // namespace

int DetectMmx()
{
    if (!HasCpuid())
        return 1;
    unsigned eax, ebx, ecx, edx;
    __cpuid(0, eax, ebx, ecx, edx);
    if (eax == 0)
        return 2;
    __cpuid(1, eax, ebx, ecx, edx);
    if ((edx & (1u << 23)) == 0)
        return 3;
    return 0;
}

__attribute__((target("mmx"))) void EndMmx()
{
    __asm__ volatile("emms");
}

__attribute__((target("mmx"))) void MmxClear(void* destination, size_t bytes)
{
    // 32 bytes per round in four 64-bit stores, the tail in single stores,
    // then EMMS: one statement, so mm0 stays zero from the PXOR to the last
    // store.
    char* out = static_cast<char*>(destination);
    size_t rounds = bytes / 32;
    size_t tail = (bytes % 32) / 8;
    __asm__ volatile(
        "pxor %%mm0, %%mm0\n\t"
        "test %[rounds], %[rounds]\n\t"
        "jz 2f\n"
        "1:\n\t"
        "movq %%mm0, (%[out])\n\t"
        "movq %%mm0, 8(%[out])\n\t"
        "movq %%mm0, 16(%[out])\n\t"
        "movq %%mm0, 24(%[out])\n\t"
        "add $32, %[out]\n\t"
        "dec %[rounds]\n\t"
        "jnz 1b\n"
        "2:\n\t"
        "test %[tail], %[tail]\n\t"
        "jz 4f\n"
        "3:\n\t"
        "movq %%mm0, (%[out])\n\t"
        "add $8, %[out]\n\t"
        "dec %[tail]\n\t"
        "jnz 3b\n"
        "4:\n\t"
        "emms"
        : [out] "+r"(out), [rounds] "+r"(rounds), [tail] "+r"(tail)
        :
        : "mm0", "memory", "cc");
}

__attribute__((target("mmx"))) void MmxCopy(void* destination, const void* source, size_t bytes)
{
    char* out = static_cast<char*>(destination);
    const char* in = static_cast<const char*>(source);
    for (size_t i = 0; i < bytes / 16; ++i, out += 16, in += 16)
        __asm__ volatile(
            "movq (%1), %%mm0\n\t"
            "movq 8(%1), %%mm1\n\t"
            "movq %%mm0, (%0)\n\t"
            "movq %%mm1, 8(%0)"
            :
            : "r"(out), "r"(in)
            : "memory", "mm0", "mm1");
    __asm__ volatile("emms");
}

void StringFill32(void* destination, size_t count)
{
    __asm__ volatile("cld\n\trep stosl" : "+D"(destination), "+c"(count) : "a"(0) : "memory", "cc");
}

void StringCopy32(void* destination, const void* source, size_t count)
{
    __asm__ volatile("cld\n\trep movsl" : "+D"(destination), "+S"(source), "+c"(count) : : "memory", "cc");
}
#else
void MmxCopy(void* destination, const void* source, size_t bytes)
{
    memcpy(destination, source, bytes);
}

void StringFill32(void* destination, size_t count)
{
    memset(destination, 0, count * 4);
}

void StringCopy32(void* destination, const void* source, size_t count)
{
    memcpy(destination, source, count * 4);
}

int DetectMmx()
{
    return 3;
}

void EndMmx() {}

void MmxClear(void* destination, size_t bytes)
{
    memset(destination, 0, bytes);
}
#endif
