/* Prints GetShortPathNameA of its argument, so that the scenarios take the
   short paths they expect from Windows itself. Exit code 1 when the call
   fails. */
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv) {
    char buffer[1024];
    DWORD n;
    if (argc != 2) return 2;
    n = GetShortPathNameA(argv[1], buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return 1;
    fputs(buffer, stdout);
    return 0;
}
