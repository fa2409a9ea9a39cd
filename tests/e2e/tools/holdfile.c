/* Opens a file with CreateFileA as another program would, and holds it open
   until its input ends. Usage:
     holdfile PATH ACCESS SHARE DISPOSITION
   ACCESS       r, w or rw: GENERIC_READ, GENERIC_WRITE or both
   SHARE        any of r, w, d (FILE_SHARE_READ, _WRITE, _DELETE), or 0 for none
   DISPOSITION  existing, new, always, openalways: OPEN_EXISTING,
                CREATE_NEW, CREATE_ALWAYS, OPEN_ALWAYS
   It prints "opened", or "failed ERROR" (GetLastError) and ends. Then it
   reads commands from its input, one a line:
     read         prints what the file holds, read through the handle from
                  its start, then a line "end"
     write TEXT   writes TEXT and CR LF at the file's end through the handle;
                  prints "written" or "failed ERROR"
     lock N       takes an exclusive lock of byte N (a decimal number) of the
                  file, waiting for it; prints "locked" or "failed ERROR"
     unlock N     releases that lock; prints "unlocked" or "failed ERROR"
   The end of its input closes the file: it prints "closed" and ends. */
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>

static DWORD flags(const char* text, const char* letters, const DWORD* values) {
    DWORD result = 0;
    const char* p;
    for (; *text; ++text)
        if ((p = strchr(letters, *text)) != NULL) result |= values[p - letters];
    return result;
}

static void printRead(HANDLE file) {
    char buffer[4096];
    DWORD n = 0;
    SetFilePointer(file, 0, NULL, FILE_BEGIN);
    while (ReadFile(file, buffer, sizeof buffer, &n, NULL) && n > 0)
        fwrite(buffer, 1, n, stdout);
    puts("end");
}

static void writeLine(HANDLE file, const char* text) {
    DWORD n = 0;
    SetFilePointer(file, 0, NULL, FILE_END);
    if (WriteFile(file, text, (DWORD)strlen(text), &n, NULL) && WriteFile(file, "\r\n", 2, &n, NULL))
        puts("written");
    else
        printf("failed %lu\n", (unsigned long)GetLastError());
}

/* The lock of byte N: taken (waiting for it) or released. */
static void lockByte(HANDLE file, const char* n, int take) {
    OVERLAPPED at;
    unsigned long long offset = _strtoui64(n, NULL, 10);
    BOOL ok;
    ZeroMemory(&at, sizeof at);
    at.Offset = (DWORD)offset;
    at.OffsetHigh = (DWORD)(offset >> 32);
    ok = take ? LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)
              : UnlockFileEx(file, 0, 1, 0, &at);
    if (ok)
        puts(take ? "locked" : "unlocked");
    else
        printf("failed %lu\n", (unsigned long)GetLastError());
}

int main(int argc, char** argv) {
    static const DWORD accessValues[] = {GENERIC_READ, GENERIC_WRITE};
    static const DWORD shareValues[] = {FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_DELETE};
    static const char* const dispositionNames[] = {"existing", "new", "always", "openalways"};
    static const DWORD dispositionValues[] = {OPEN_EXISTING, CREATE_NEW, CREATE_ALWAYS, OPEN_ALWAYS};
    char line[1024];
    DWORD disposition = 0;
    HANDLE file;
    int i;
    if (argc != 5) return 2;
    _setmode(_fileno(stdout), _O_BINARY); /* what is read is printed unchanged */
    for (i = 0; i < 4; ++i)
        if (strcmp(argv[4], dispositionNames[i]) == 0) disposition = dispositionValues[i];
    if (disposition == 0) return 2;
    file = CreateFileA(argv[1], flags(argv[2], "rw", accessValues),
                       flags(argv[3], "rwd", shareValues), NULL, disposition,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        printf("failed %lu\n", (unsigned long)GetLastError());
        return 0;
    }
    puts("opened");
    fflush(stdout);
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\r\n")] = '\0';
        if (strcmp(line, "read") == 0)
            printRead(file);
        else if (strncmp(line, "write ", 6) == 0)
            writeLine(file, line + 6);
        else if (strncmp(line, "lock ", 5) == 0)
            lockByte(file, line + 5, 1);
        else if (strncmp(line, "unlock ", 7) == 0)
            lockByte(file, line + 7, 0);
        fflush(stdout);
    }
    CloseHandle(file);
    puts("closed");
    return 0;
}
