// Test seams of KERNEL: heap allocations that fail on purpose, and token
// calls answered by a script with every call logged.
#include "kernel/kernel_seams.h"

#include <string>

namespace {
int heapFailuresLeft;
bool scripted;
std::string answers;  // per step: 'y' grants, 'n' refuses, '-' not implemented
std::string log;
int scriptedToken;  // its address is the token
}  // namespace

bool HeapFailureDue(void)
{
    if (heapFailuresLeft <= 0)
        return false;
    --heapFailuresLeft;
    return true;
}

bool TokenScriptAnswer(size_t step, char call, BOOL* answer)
{
    log += call;
    char scriptedAnswer = step < answers.size() ? answers[step] : '-';
    if (!scripted || scriptedAnswer == '-')
        return false;
    SetLastError(scriptedAnswer == 'n' ? ERROR_ACCESS_DENIED : ERROR_SUCCESS);
    *answer = scriptedAnswer == 'n' ? FALSE : TRUE;
    return true;
}

HANDLE TokenScripted(void)
{
    return scripted ? &scriptedToken : nullptr;
}

void TokenNote(char call)
{
    if (scripted)
        log += call;
}

void PlatformFailHeapAllocations(int count)
{
    heapFailuresLeft = count;
}

void PlatformScriptTokens(const char* script)
{
    scripted = script != nullptr;
    answers = script ? script : "";
    log.clear();
}

const char* PlatformTokenLog(void)
{
    return log.c_str();
}
