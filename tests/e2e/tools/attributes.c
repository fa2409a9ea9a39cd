/* Prints the attributes that GetFileAttributesA reports for each path, one
   line each: "R path" when FILE_ATTRIBUTE_READONLY is set, "W path" when it
   is not, "? path" when the call fails.
     attributes PATH... */
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv) {
    int i;
    for (i = 1; i < argc; ++i) {
        const DWORD a = GetFileAttributesA(argv[i]);
        const char kind = a == INVALID_FILE_ATTRIBUTES ? '?'
                          : (a & FILE_ATTRIBUTE_READONLY) ? 'R'
                                                          : 'W';
        printf("%c %s\n", kind, argv[i]);
    }
    return 0;
}
