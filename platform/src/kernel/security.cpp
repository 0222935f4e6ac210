// Access tokens and privileges (advapi32). This system has no token
// privileges: what a process may do is decided elsewhere (for shutdown, by
// the system's own policy when it is asked). Every call fails with
// ERROR_CALL_NOT_IMPLEMENTED, as on Windows versions without security, and
// leaves its output arguments untouched.
//
// For tests, a script can make the calls answer as a Windows with
// privileges would, each call granting or refusing, with every call logged.
#include "kernel/security_log.h"

#include <platform_seams.h>
#include <windows.h>

#include <string>

namespace {
// The process's one token while a script grants it.
int scriptedToken;

bool scripted;
std::string answers;  // per step: 'y' grants, 'n' refuses, '-' not implemented
std::string log;

BOOL Answer(size_t step, char call)
{
    log += call;
    char answer = step < answers.size() ? answers[step] : '-';
    if (!scripted || answer == '-') {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    if (answer == 'n') {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
}  // namespace

void SecurityNote(char call)
{
    if (scripted)
        log += call;
}

bool SecurityIsScriptedToken(HANDLE handle)
{
    return scripted && handle == &scriptedToken;
}

BOOL WINAPI OpenProcessToken(HANDLE process, DWORD access, PHANDLE token)
{
    BOOL ok = Answer(0, 'O');
    if (ok) {
        if (token == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        *token = &scriptedToken;
    }
    return ok;
}

BOOL WINAPI LookupPrivilegeValueA(LPCSTR systemName, LPCSTR name, PLUID luid)
{
    BOOL ok = Answer(1, 'L');
    if (ok && luid)
        *luid = LUID{19, 0};  // SeShutdownPrivilege's value on Windows
    return ok;
}

BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD bufferLength,
                                  PTOKEN_PRIVILEGES previousState, LPDWORD returnLength)
{
    return Answer(2, 'A');
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
