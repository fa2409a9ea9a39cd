/* Does nothing: the yardstick of the launch benchmark, a static GUI program
   like autorun.exe. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance, (void)previous, (void)commandLine, (void)show;
    return 0;
}
