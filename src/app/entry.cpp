// The language runtime starts the program (static initialisation runs),
// then hands over to AppMain, which never returns.
#include <windows.h>

#include "app/app.h"

#ifdef _WIN32
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    AppMain();
}
#else
int main()
{
    AppMain();
}
#endif
