/* Box watcher: logs every message box (dialog class #32770) that appears,
   with its title and its static text (control id 0xFFFF), and presses a
   button to close it. Usage: boxwatch LOG STOPFILE [ANSWER...]
   The Nth box gets the Nth answer (a button id: 1 OK, 2 Cancel, 4 Retry);
   boxes beyond the answers get OK, or Cancel when they have no OK button.
   For each box, LOG.looks (emptied at the start) gets the line
     ICON<TAB>OWNER
   ICON the picture that the box's icon control (a static text of the
   SS_ICON style) shows on the screen, the box brought to the top: warning,
   information, error or question (the system's icons, told apart by drawing
   each here), other, or none (no such control, or an empty one); OWNER the
   class of the box's owner window (GW_OWNER), or none.
   It ends when STOPFILE exists, or after 300 seconds (a scenario's own
   limit). */
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
static char looksPath[MAX_PATH];

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

/* The box's icon control, or NULL. */
static HWND iconControl;
static BOOL CALLBACK findIcon(HWND h, LPARAM unused) {
    char cls[16];
    (void)unused;
    GetClassNameA(h, cls, sizeof cls);
    if (_stricmp(cls, "Static") == 0 && (GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        iconControl = h;
        return FALSE;
    }
    return TRUE;
}

/* Whether the screen shows `icon` in r (the background colour around it):
   drawn here on that colour, it gives the very pixels. */
static int shows(HDC screen, const RECT* r, HICON icon) {
    const int w = r->right - r->left, ht = r->bottom - r->top;
    const COLORREF background = GetPixel(screen, r->left - 1, r->top);
    BITMAPINFO bi;
    DWORD *shot, *tile;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP shotBitmap, tileBitmap;
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, w, ht};
    int same;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -ht;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    shotBitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, (void**)&shot, NULL, 0);
    tileBitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, (void**)&tile, NULL, 0);
    SelectObject(dc, shotBitmap);
    BitBlt(dc, 0, 0, w, ht, screen, r->left, r->top, SRCCOPY);
    SelectObject(dc, tileBitmap);
    FillRect(dc, &all, brush);
    DrawIconEx(dc, 0, 0, icon, w, ht, 0, NULL, DI_NORMAL);
    GdiFlush();
    same = memcmp(shot, tile, (size_t)(w * ht) * sizeof(DWORD)) == 0;
    DeleteDC(dc);
    DeleteObject(shotBitmap);
    DeleteObject(tileBitmap);
    DeleteObject(brush);
    return same;
}

static const char* iconOf(HWND box) {
    static const struct {
        LPCSTR id;
        const char* name;
    } icons[] = {{IDI_WARNING, "warning"}, {IDI_INFORMATION, "information"},
                 {IDI_ERROR, "error"}, {IDI_QUESTION, "question"}};
    const DWORD start = GetTickCount();
    RECT r;
    iconControl = NULL;
    EnumChildWindows(box, findIcon, 0);
    if (!iconControl || !IsWindowVisible(iconControl) ||
        !SendMessageA(iconControl, STM_GETICON, 0, 0))
        return "none";
    GetWindowRect(iconControl, &r);
    if (r.right <= r.left || r.bottom <= r.top) return "none";
    /* A box that no window owns may stand behind the program's window, as
       when the user has gone on with that window: it is looked at on top. The
       box may not have painted yet. */
    SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    while (GetTickCount() - start < 20000) {
        HDC screen = GetDC(NULL);
        unsigned k;
        const char* found = NULL;
        for (k = 0; k < sizeof icons / sizeof icons[0] && !found; ++k)
            if (shows(screen, &r, LoadIconA(NULL, icons[k].id))) found = icons[k].name;
        ReleaseDC(NULL, screen);
        if (found) return found;
        Sleep(100);
    }
    return "other";
}

static void logLooks(HWND box) {
    FILE* f = fopen(looksPath, "ab");
    HWND owner = GetWindow(box, GW_OWNER);
    char cls[64] = "none";
    if (!f) return;
    if (owner) GetClassNameA(owner, cls, sizeof cls);
    fprintf(f, "%s\t%s\r\n", iconOf(box), cls);
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
    logLooks(h);
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
    snprintf(looksPath, sizeof looksPath, "%s.looks", logPath);
    fclose(fopen(looksPath, "wb"));
    fclose(fopen(logPath, "ab"));
    while (GetTickCount() - start < 300 * 1000) {
        if (GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES) break;
        EnumWindows(visit, 0);
        Sleep(50);
    }
    return 0;
}
