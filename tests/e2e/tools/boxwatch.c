/* Box watcher: logs every message box (dialog class #32770) that appears,
   with its title and its static text (control id 0xFFFF), and presses a
   button to close it. Usage: boxwatch LOG STOPFILE [ANSWER...]
   The Nth box gets the Nth answer (a button id: 1 OK, 2 Cancel, 4 Retry);
   boxes beyond the answers get OK, or Cancel when they have no OK button.
   It ends when STOPFILE exists, or after 120 seconds. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MAX_SEEN 256
static HWND seen[MAX_SEEN];
static int seenCount = 0;
static int answers[64];
static int answerCount = 0;
static const char* logPath;

static int wasSeen(HWND h) {
    int i;
    for (i = 0; i < seenCount; ++i)
        if (seen[i] == h) return 1;
    return 0;
}

static void logBox(const char* title, const char* text, int answer) {
    FILE* f = fopen(logPath, "ab");
    const char* p;
    if (!f) return;
    fprintf(f, "%s\t", title);
    for (p = text; *p; ++p) {
        if (*p == '\n') fputs("\\n", f);
        else if (*p == '\r') continue;
        else fputc(*p, f);
    }
    fprintf(f, "\t%d\r\n", answer);
    fclose(f);
}

static BOOL CALLBACK visit(HWND h, LPARAM unused) {
    char cls[64], title[512];
    static char text[8192];
    int answer;
    HWND label;
    (void)unused;
    if (!IsWindowVisible(h) || wasSeen(h)) return TRUE;
    GetClassNameA(h, cls, sizeof cls);
    if (strcmp(cls, "#32770") != 0) return TRUE;
    if (seenCount < MAX_SEEN) seen[seenCount++] = h;
    GetWindowTextA(h, title, sizeof title);
    text[0] = '\0';
    label = GetDlgItem(h, 0xFFFF);
    if (label) GetWindowTextA(label, text, sizeof text);
    if (seenCount - 1 < answerCount) answer = answers[seenCount - 1];
    else answer = GetDlgItem(h, IDOK) ? IDOK : IDCANCEL;
    logBox(title, text, answer);
    PostMessageA(h, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), (LPARAM)GetDlgItem(h, answer));
    return TRUE;
}

int main(int argc, char** argv) {
    int i;
    const DWORD start = GetTickCount();
    if (argc < 3) return 2;
    logPath = argv[1];
    for (i = 3; i < argc && answerCount < 64; ++i) answers[answerCount++] = atoi(argv[i]);
    fclose(fopen(logPath, "ab"));
    while (GetTickCount() - start < 120 * 1000) {
        if (GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES) break;
        EnumWindows(visit, 0);
        Sleep(50);
    }
    return 0;
}
