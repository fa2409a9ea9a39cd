/* Registry probe: writes one line per value of a key under the local
   machine: "NAME<TAB>TYPE<TAB>SIZE<TAB>HEX BYTES", or "NAME<TAB>missing<TAB>RC"
   when it cannot be read. The size is what RegQueryValueExA reports as
   stored. Usage: regprobe LOG KEY VALUE... */
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv) {
    FILE* log;
    HKEY key;
    LONG rc;
    int i;
    if (argc < 4) return 2;
    log = fopen(argv[1], "wb");
    if (!log) return 3;
    rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, argv[2], 0, KEY_READ, &key);
    if (rc != ERROR_SUCCESS) {
        for (i = 3; i < argc; ++i) fprintf(log, "%s\tmissing\t%ld\n", argv[i], (long)rc);
        fclose(log);
        return 0;
    }
    for (i = 3; i < argc; ++i) {
        static BYTE data[65536];
        DWORD type = 0, size = sizeof data, j;
        const char* name = argv[i][0] == '@' ? NULL : argv[i]; /* @: the default value */
        rc = RegQueryValueExA(key, name, NULL, &type, data, &size);
        if (rc != ERROR_SUCCESS) {
            fprintf(log, "%s\tmissing\t%ld\n", argv[i], (long)rc);
            continue;
        }
        fprintf(log, "%s\t%lu\t%lu\t", argv[i], (unsigned long)type, (unsigned long)size);
        for (j = 0; j < size; ++j) fprintf(log, "%02x", data[j]);
        fputc('\n', log);
    }
    RegCloseKey(key);
    fclose(log);
    return 0;
}
