/* UI driver of the preferences window. Usage:
     uidriver TITLE COMMAND... 
   Commands, run in order:
     wait SECONDS       until the visible preferences window with the title exists
     dump FILE          every control of the window, one line each (below)
     click ID           BM_CLICK on the button of that id (refused when disabled)
     select ID INDEX    the user's selection of a list item (LB_SETCURSEL, then
                        LBN_SELCHANGE to the list's parent)
     hover ID           the pointer onto the control's centre
     text ID FILE       the control's text into FILE
     ink ID FILE        what the control shows on the screen, as a picture of
                        its ink (below)
     size W H           the frame resized to W by H pixels, as by its border
     close              the close box's system command (WM_SYSCOMMAND SC_CLOSE),
                        as Alt+F4 and the system menu's Close send it too
     closebox           a click of the left mouse button on the frame's close box
                        (refused when the frame has none)
     drag DX DY         the frame dragged by its title bar with the left mouse
                        button, the pointer moved DX, DY pixels
     minimize           the minimise box's system command (WM_SYSCOMMAND
                        SC_MINIMIZE), as the window menu's Minimize sends it too
     restore            the system command that restores a minimised frame
                        (SC_RESTORE), as the taskbar and the window menu send it
     place FILE         the frame's rectangle on the screen and whether it is
                        minimised: LEFT TOP RIGHT BOTTOM ICONIC (1 or 0)
     sysmenu            Alt+Space typed to the frame; fails unless the window
                        menu (a pop-up menu, class #32768, of the frame's thread)
                        opens within 10 s; Escape then closes it and leaves
                        the menu's mode
     type ID TEXT       a click of the left mouse button on the control (a list
                        box: on its selected item), which gives it the keyboard
                        focus, then TEXT typed as the user's key presses
     pointer PLACE FILE the pointer onto PLACE: a control's centre by its ID,
                        "background" (5 pixels in from the client's top left
                        corner, where the window's own background shows) or
                        "border" (the left sizing border, halfway down); FILE
                        gets the handle of the shape the pointer then shows
                        (GetCursorInfo). A shape of another process cannot be
                        drawn here, but the same shape shows the same handle.
     wrap ID FILE       how the control's text wraps in the library's font at
                        its client width (DrawText DT_WORDBREAK): NEEDED HELD
                        SHOWN, the lines that the text takes, the lines that the
                        client area holds and the lines of ink that the screen
                        shows in the client area
     frame FILE         the frame's styles, icon and non-client parts (below)
     gone SECONDS       until no window with the title exists
     box SECONDS        until a visible message box (dialog class #32770) of
                        the window's program exists
     sleep MS
   The dump's first line is
     frame LEFT TOP RIGHT BOTTOM CLIENTLEFT CLIENTTOP CLIENTRIGHT CLIENTBOTTOM SCREENW SCREENH LINE
   in screen pixels, LINE the height of a line in the library's font; then
   one tab-separated line per control, in Z order, depth first:
     ID CLASS PARENTID ENABLED VISIBLE LEFT TOP RIGHT BOTTOM LINES NEED TEXT INK DRAWN SAME
   with the rectangle in the frame's client coordinates, LINES the lines of
   text that a static text shows (below; 0 for other controls), NEED the
   width of the text on one line (in the library's font: a font handle of
   another process cannot be read), TEXT the text (list boxes: their items
   joined by "|" and the selected index after "#"; buttons: "[x]" first when
   checked), then for a static text or a push button with a text (else 0 0
   0) INK, the width of the text's ink on the screen (a button's inside its
   border), DRAWN, the width of the ink of that text drawn here in the
   library's font, and SAME, 1 when the two are the very same pixels, as
   when the control shows its text whole and in the library's font in black
   (Wine answers WM_GETFONT from another process with nothing, so the font
   is told on the screen).
   LINES and the ink picture are read from the screen, so they are what a
   user sees (the window must be on top). Ink is a pixel whose colour differs
   from the control's background, the colour that most of its pixels have;
   LINES counts the runs of rows with ink. The ink picture's first line is
   the control's rectangle
     LEFT TOP RIGHT BOTTOM
   in the frame's client coordinates, then one line per row of its pixels,
   "#" for ink and "." for the background.
   The frame's file has the lines
     style HEX          GWL_STYLE
     exstyle HEX        GWL_EXSTYLE
     caption-icon 1|0   whether the caption shows the icon of resource 1 of
                        the window's program file (Wine answers WM_GETICON
                        from another process with no icon, so the caption's
                        pixels tell)
     parts NAME...      the parts that WM_NCHITTEST finds along the frame's
                        middle column, its middle row and its caption's middle
                        row: caption sysmenu minbutton maxbutton close left
                        right top bottom client
   Exit code 0, or 1 with a message on stderr. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static HWND frame;
static FILE* out;

static void die(const char* what, const char* detail) {
    fprintf(stderr, "uidriver: %s %s\n", what, detail ? detail : "");
    exit(1);
}

/* The file that a command's output goes to. */
static void openOut(const char* path) {
    out = fopen(path, "wb");
    if (!out) die("cannot write", path);
}

/* The preferences window: the library's frame class with that title (other
   programs' windows may bear the same title). */
static const char frameClass[] = "AutorunFrame";

static HWND findFrame(const char* title) {
    HWND h = FindWindowA(frameClass, title);
    return h && IsWindowVisible(h) ? h : NULL;
}

static HWND byId(int id) {
    HWND found = NULL;
    HWND child = NULL;
    /* Every descendant, by a stack. */
    {
        struct Stack {
            HWND items[512];
            int count;
        } stack;
        stack.count = 0;
        stack.items[stack.count++] = frame;
        while (stack.count > 0 && !found) {
            HWND parent = stack.items[--stack.count];
            for (child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                if (GetDlgCtrlID(child) == id) return child;
                if (stack.count < 512) stack.items[stack.count++] = child;
            }
        }
    }
    return found;
}

static HFONT libraryFont(void) {
    static HFONT font;
    if (!font)
        font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, "MS Shell Dlg");
    return font;
}

static int lineHeight(HWND h) {
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, libraryFont());
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    return tm.tmHeight;
}

static int textWidth(HWND h, const wchar_t* text) {
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, libraryFont());
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text, (int)wcslen(text), &size);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    return size.cx;
}

/* The format in which a static text of this style draws its text. */
static UINT staticFormat(HWND h) {
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    return (style & SS_TYPEMASK) == SS_LEFT ? DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK
                                            : DT_LEFT | DT_EXPANDTABS | DT_SINGLELINE;
}

/* A window's client area in screen pixels. */
static RECT clientOnScreen(HWND h) {
    RECT r;
    POINT corner = {0, 0};
    GetClientRect(h, &r);
    ClientToScreen(h, &corner);
    OffsetRect(&r, corner.x, corner.y);
    return r;
}

/* The size that a text takes in the library's font in a format of DrawText,
   wrapped (DT_WORDBREAK) at `width`. */
static SIZE drawnSize(const wchar_t* text, UINT format, int width) {
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, libraryFont());
    RECT r = {0, 0, width, 0};
    SIZE size;
    DrawTextW(dc, text, -1, &r, format | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    size.cx = r.right - r.left, size.cy = r.bottom - r.top;
    return size;
}

/* A bitmap of 32 bits per pixel, top row first, selected into a memory DC. */
struct Picture {
    HDC dc;
    HBITMAP bitmap;
    DWORD* bits;
};

static struct Picture newPicture(int w, int ht) {
    BITMAPINFO bi;
    struct Picture p;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -ht; /* top row first */
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    p.dc = CreateCompatibleDC(NULL);
    p.bitmap = CreateDIBSection(p.dc, &bi, DIB_RGB_COLORS, (void**)&p.bits, NULL, 0);
    if (!p.dc || !p.bitmap) die("cannot make a bitmap", NULL);
    SelectObject(p.dc, p.bitmap);
    return p;
}

static void freePicture(struct Picture* p) {
    DeleteDC(p->dc);
    DeleteObject(p->bitmap);
}

/* What the screen shows in a rectangle (not empty). */
static struct Picture grab(const RECT* r) {
    struct Picture p = newPicture(r->right - r->left, r->bottom - r->top);
    HDC screen = GetDC(NULL);
    if (!BitBlt(p.dc, 0, 0, r->right - r->left, r->bottom - r->top, screen, r->left, r->top,
                SRCCOPY))
        die("BitBlt failed", NULL);
    GdiFlush();
    ReleaseDC(NULL, screen);
    return p;
}

/* What the screen shows in a rectangle of the screen, per pixel, row by
   row: whether it is ink (1) or background (0); the caller frees it. */
static char* captureRect(RECT* r) {
    struct Picture shot;
    DWORD *bits, colours[64], background = 0;
    int counts[64] = {0}, kinds = 0, best = 0, w, ht, k;
    char* ink;
    w = r->right - r->left, ht = r->bottom - r->top;
    if (w <= 0 || ht <= 0) {
        r->right = r->left, r->bottom = r->top;
        return calloc(1, 1);
    }
    shot = grab(r);
    bits = shot.bits;
    ink = malloc((size_t)(w * ht + 1));
    if (!ink) die("out of memory", NULL);
    for (k = 0; k < w * ht; ++k) {
        DWORD c = bits[k] & 0xFFFFFF;
        int j = 0;
        while (j < kinds && colours[j] != c) ++j;
        if (j == kinds && kinds < 64) colours[kinds++] = c;
        if (j < kinds && ++counts[j] > best) best = counts[j], background = c;
    }
    for (k = 0; k < w * ht; ++k) ink[k] = (bits[k] & 0xFFFFFF) != background;
    freePicture(&shot);
    return ink;
}

/* The control as shown on the screen: its rectangle, and its ink. */
static char* capture(HWND h, RECT* r) {
    GetWindowRect(h, r);
    return captureRect(r);
}

/* The runs of rows with ink in a picture of w by ht pixels. */
static int inkRuns(const char* ink, int w, int ht) {
    int x, y, lines = 0, before = 0;
    for (y = 0; y < ht; ++y) {
        int any = 0;
        for (x = 0; x < w; ++x) any |= ink[y * w + x];
        lines += any && !before;
        before = any;
    }
    return lines;
}

/* The frame's non-client parts, as WM_NCHITTEST names them. */
static const struct {
    LRESULT code;
    const char* name;
} parts[] = {
    {HTCAPTION, "caption"}, {HTSYSMENU, "sysmenu"}, {HTMINBUTTON, "minbutton"},
    {HTMAXBUTTON, "maxbutton"}, {HTCLOSE, "close"},   {HTLEFT, "left"},
    {HTRIGHT, "right"},     {HTTOP, "top"},         {HTBOTTOM, "bottom"},
    {HTCLIENT, "client"},
};
#define PART_COUNT ((int)(sizeof parts / sizeof parts[0]))

struct Parts {
    int found[PART_COUNT];
    int hasClose, hasCaption;
    POINT close;   /* the middle of the close box, in screen pixels */
    POINT caption; /* the middle of the title bar */
};

static LRESULT hitTest(int x, int y) {
    return SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM((WORD)(short)x, (WORD)(short)y));
}

/* Hit-tests a line of points (from x, y on by dx, dy while inside r) and notes
   the parts met; answers the first and last step on which `wanted` was met
   (-1 when never). */
static void scanLine(struct Parts* p, const RECT* r, int x, int y, int dx, int dy,
                     LRESULT wanted, int* first, int* last) {
    int step;
    *first = *last = -1;
    for (step = 0; x < r->right && y < r->bottom; ++step, x += dx, y += dy) {
        const LRESULT code = hitTest(x, y);
        int k;
        for (k = 0; k < PART_COUNT; ++k)
            if (parts[k].code == code) p->found[k] = 1;
        if (code == wanted) {
            if (*first < 0) *first = step;
            *last = step;
        }
    }
}

static struct Parts frameParts(void) {
    struct Parts p;
    RECT r;
    int first, last;
    ZeroMemory(&p, sizeof p);
    GetWindowRect(frame, &r);
    scanLine(&p, &r, r.left, (r.top + r.bottom) / 2, 1, 0, HTNOWHERE, &first, &last);
    scanLine(&p, &r, (r.left + r.right) / 2, r.top, 0, 1, HTCAPTION, &first, &last);
    if (first >= 0) {
        const int y = r.top + (first + last) / 2;
        p.hasCaption = 1;
        p.caption.x = (r.left + r.right) / 2, p.caption.y = y;
        scanLine(&p, &r, r.left, y, 1, 0, HTCLOSE, &first, &last);
        if (first >= 0) {
            p.hasClose = 1;
            p.close.x = r.left + (first + last) / 2, p.close.y = y;
        }
    }
    return p;
}

/* The icon of resource 1 of the frame's program file. */
static HICON programIcon(void) {
    char path[MAX_PATH];
    DWORD size = sizeof path, pid = 0;
    HANDLE process;
    HMODULE module;
    HICON icon;
    GetWindowThreadProcessId(frame, &pid);
    process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process || !QueryFullProcessImageNameA(process, 0, path, &size))
        die("cannot find the program file of", "the frame");
    CloseHandle(process);
    module = LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_DATAFILE);
    icon = module ? LoadIconA(module, MAKEINTRESOURCEA(1)) : NULL;
    if (!icon) die("no icon 1 in", path);
    return icon;
}

/* Whether the caption shows the icon: whether, somewhere in the frame's top
   left corner, drawing the icon at the caption's icon size over what the
   screen shows changes no pixel. (Where no icon or another one is shown, the
   icon's opaque pixels change the picture.) */
static int captionShowsIcon(HICON icon) {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    RECT r;
    struct Picture shot, tile;
    int x, y, row, shown = 0;
    GetWindowRect(frame, &r);
    if (r.right > r.left + 4 * cx) r.right = r.left + 4 * cx;
    if (r.bottom > r.top + 3 * cy) r.bottom = r.top + 3 * cy;
    if (r.right - r.left < cx || r.bottom - r.top < cy) return 0;
    shot = grab(&r);
    tile = newPicture(cx, cy);
    for (y = 0; !shown && y + cy <= r.bottom - r.top; ++y) {
        for (x = 0; !shown && x + cx <= r.right - r.left; ++x) {
            const DWORD* at = shot.bits + y * (r.right - r.left) + x;
            for (row = 0; row < cy; ++row)
                memcpy(tile.bits + row * cx, at + row * (r.right - r.left), cx * sizeof(DWORD));
            DrawIconEx(tile.dc, 0, 0, icon, cx, cy, 0, NULL, DI_NORMAL);
            GdiFlush();
            shown = 1;
            for (row = 0; shown && row < cy; ++row)
                shown = memcmp(tile.bits + row * cx, at + row * (r.right - r.left),
                               cx * sizeof(DWORD)) == 0;
        }
    }
    freePicture(&tile);
    freePicture(&shot);
    return shown;
}

static void dumpFrame(void) {
    struct Parts p = frameParts();
    int k;
    fprintf(out, "style 0x%08lx\nexstyle 0x%08lx\n",
            (unsigned long)GetWindowLongA(frame, GWL_STYLE),
            (unsigned long)GetWindowLongA(frame, GWL_EXSTYLE));
    fprintf(out, "caption-icon %d\n", captionShowsIcon(programIcon()));
    fputs("parts", out);
    for (k = 0; k < PART_COUNT; ++k)
        if (p.found[k]) fprintf(out, " %s", parts[k].name);
    fputs("\n", out);
}

/* The pointer moved to a point of the screen, over the frame brought to the
   foreground. */
static void pointAt(POINT at) {
    SetForegroundWindow(frame);
    SetCursorPos(at.x, at.y);
}

/* The left mouse button pressed or let go, as the user's. */
static void leftButton(DWORD flags) {
    INPUT input;
    ZeroMemory(&input, sizeof input);
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (SendInput(1, &input, sizeof(INPUT)) != 1) die("SendInput failed", NULL);
}

/* A click of the left mouse button at a point of the screen, as the user's. */
static void clickAt(POINT at) {
    pointAt(at);
    leftButton(MOUSEEVENTF_LEFTDOWN);
    leftButton(MOUSEEVENTF_LEFTUP);
}

/* A key pressed (down) or let go, as the user's. */
static void key(WORD vk, int down) {
    INPUT input;
    ZeroMemory(&input, sizeof input);
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    if (SendInput(1, &input, sizeof(INPUT)) != 1) die("SendInput failed", NULL);
    Sleep(20);
}

/* A character typed with the keys that make it on this keyboard. */
static void typeChar(char c) {
    const SHORT scan = VkKeyScanA(c);
    const int shift = (scan >> 8) & 1;
    if (scan == -1) die("no key types", "a character of the text");
    if (shift) key(VK_SHIFT, 1);
    key(LOBYTE(scan), 1);
    key(LOBYTE(scan), 0);
    if (shift) key(VK_SHIFT, 0);
}

/* A visible pop-up menu window of the frame's thread, or NULL. */
static HWND openMenu;
static BOOL CALLBACK findMenu(HWND h, LPARAM thread) {
    char cls[16];
    GetClassNameA(h, cls, sizeof cls);
    if (strcmp(cls, "#32768") == 0 && IsWindowVisible(h) &&
        GetWindowThreadProcessId(h, NULL) == (DWORD)thread) {
        openMenu = h;
        return FALSE;
    }
    return TRUE;
}
static HWND frameMenu(void) {
    openMenu = NULL;
    EnumWindows(findMenu, (LPARAM)GetWindowThreadProcessId(frame, NULL));
    return openMenu;
}

/* A visible message box of the frame's program, or NULL. */
static HWND openBox;
static BOOL CALLBACK findBox(HWND h, LPARAM pid) {
    char cls[16];
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    GetClassNameA(h, cls, sizeof cls);
    if (owner == (DWORD)pid && strcmp(cls, "#32770") == 0 && IsWindowVisible(h)) {
        openBox = h;
        return FALSE;
    }
    return TRUE;
}
static HWND programBox(void) {
    DWORD pid = 0;
    GetWindowThreadProcessId(frame, &pid);
    openBox = NULL;
    EnumWindows(findBox, (LPARAM)pid);
    return openBox;
}

/* Whether the frame's thread is in a menu's mode: a menu open, or the menu
   bar (or the window menu's icon) chosen after a menu closed. */
static int inMenuMode(void) {
    GUITHREADINFO info;
    info.cbSize = sizeof info;
    return frameMenu() || (GetGUIThreadInfo(GetWindowThreadProcessId(frame, NULL), &info) &&
                           (info.flags & GUI_INMENUMODE));
}

/* The window that has the keyboard focus in a window's thread, or NULL. */
static HWND focusOf(HWND h) {
    GUITHREADINFO info;
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(h, NULL), &info) ? info.hwndFocus : NULL;
}

/* The shape that the pointer shows (GetCursorInfo). */
static HCURSOR pointerShape(void) {
    CURSORINFO info;
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info)) die("GetCursorInfo failed", NULL);
    return info.hCursor;
}

/* A picture of ink: w by ht pixels, row by row, 1 for ink. */
struct Ink {
    char* pixels;
    int w, ht;
};

/* The part of a picture from its first row and column with ink to its last,
   leaving out a margin of pixels on every side (0 by 0 when it has none). */
static struct Ink inkBox(struct Ink ink, int margin) {
    struct Ink box;
    int x, y, left = ink.w, top = ink.ht, right = -1, bottom = -1;
    for (y = margin; y < ink.ht - margin; ++y)
        for (x = margin; x < ink.w - margin; ++x)
            if (ink.pixels[y * ink.w + x]) {
                if (x < left) left = x;
                if (x > right) right = x;
                if (y < top) top = y;
                if (y > bottom) bottom = y;
            }
    box.w = right < 0 ? 0 : right - left + 1, box.ht = right < 0 ? 0 : bottom - top + 1;
    box.pixels = malloc((size_t)(box.w * box.ht + 1));
    if (!box.pixels) die("out of memory", NULL);
    for (y = 0; y < box.ht; ++y)
        memcpy(box.pixels + y * box.w, ink.pixels + (top + y) * ink.w + left, (size_t)box.w);
    return box;
}

/* The ink of a text drawn here in the library's font, black on white, in a
   format of DrawText (wrapped at `width`). */
static struct Ink drawnInk(const wchar_t* text, UINT format, int width) {
    const SIZE size = drawnSize(text, format, width);
    struct Ink ink;
    struct Picture p;
    RECT r;
    int k;
    ink.w = size.cx + 8, ink.ht = size.cy + 8;
    p = newPicture(ink.w, ink.ht);
    r.left = r.top = 4, r.right = 4 + size.cx, r.bottom = 4 + size.cy;
    ink.pixels = malloc((size_t)(ink.w * ink.ht));
    if (!ink.pixels) die("out of memory", NULL);
    PatBlt(p.dc, 0, 0, ink.w, ink.ht, WHITENESS);
    SelectObject(p.dc, libraryFont());
    SetBkMode(p.dc, TRANSPARENT);
    SetTextColor(p.dc, RGB(0, 0, 0));
    DrawTextW(p.dc, text, -1, &r, format | DT_NOCLIP);
    GdiFlush();
    for (k = 0; k < ink.w * ink.ht; ++k) ink.pixels[k] = (p.bits[k] & 0xFFFFFF) != 0xFFFFFF;
    freePicture(&p);
    return ink;
}

/* How a control shows its text, against the text drawn here in the
   library's font: the widths of both inks, and whether they are the same
   pixels. */
static void compareText(struct Ink shown, int margin, const wchar_t* text, UINT format,
                        int width, int* shownWidth, int* drawnWidth, int* same) {
    struct Ink drawn = drawnInk(text, format, width);
    struct Ink a = inkBox(shown, margin), b = inkBox(drawn, 0);
    *shownWidth = a.w, *drawnWidth = b.w;
    *same = a.w == b.w && a.ht == b.ht && memcmp(a.pixels, b.pixels, (size_t)(a.w * a.ht)) == 0;
    free(a.pixels);
    free(b.pixels);
    free(drawn.pixels);
}

static int inkLines(HWND h) {
    RECT r;
    char* ink = capture(h, &r);
    const int lines = inkRuns(ink, r.right - r.left, r.bottom - r.top);
    free(ink);
    return lines;
}

static void inkPicture(HWND h) {
    RECT r;
    POINT corner;
    char* ink = capture(h, &r);
    int w = r.right - r.left, ht = r.bottom - r.top, x, y;
    corner.x = r.left, corner.y = r.top;
    ScreenToClient(frame, &corner);
    fprintf(out, "%ld %ld %ld %ld\n", corner.x, corner.y, corner.x + w, corner.y + ht);
    for (y = 0; y < ht; ++y) {
        for (x = 0; x < w; ++x) fputc(ink[y * w + x] ? '#' : '.', out);
        fputc('\n', out);
    }
    free(ink);
}

static void putUtf8(const wchar_t* text) {
    char buffer[4096];
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, NULL, NULL);
    if (n <= 0) buffer[0] = '\0';
    fputs(buffer, out);
}

static void dumpOne(HWND h) {
    static wchar_t text[4096];
    wchar_t cls[64];
    RECT r;
    POINT corner;
    int lines = 0, need = 0, ink = 0, drawn = 0, same = 0;
    HWND parent = GetParent(h);
    GetClassNameW(h, cls, 64);
    GetWindowRect(h, &r);
    corner.x = r.left, corner.y = r.top;
    ScreenToClient(frame, &corner);
    GetWindowTextW(h, text, 4096);
    if (_wcsicmp(cls, L"Static") == 0) lines = inkLines(h);
    if (_wcsicmp(cls, L"Static") == 0 || _wcsicmp(cls, L"Button") == 0) need = textWidth(h, text);
    if (text[0] && _wcsicmp(cls, L"Static") == 0) {
        RECT area = clientOnScreen(h);
        struct Ink shown;
        shown.pixels = captureRect(&area);
        shown.w = area.right - area.left, shown.ht = area.bottom - area.top;
        compareText(shown, 0, text, staticFormat(h), shown.w, &ink, &drawn, &same);
        free(shown.pixels);
    } else if (text[0] && _wcsicmp(cls, L"Button") == 0 &&
               (GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) {
        struct Ink shown;
        shown.pixels = capture(h, &r);
        shown.w = r.right - r.left, shown.ht = r.bottom - r.top;
        /* Inside the button's border. */
        compareText(shown, 3, text, DT_SINGLELINE, 0, &ink, &drawn, &same);
        free(shown.pixels);
    }
    fprintf(out, "%d\t%ls\t%d\t%d\t%d\t%ld\t%ld\t%ld\t%ld\t%d\t%d\t", GetDlgCtrlID(h), cls,
            parent == frame ? 0 : GetDlgCtrlID(parent), IsWindowEnabled(h) ? 1 : 0,
            IsWindowVisible(h) ? 1 : 0, corner.x, corner.y, corner.x + (r.right - r.left),
            corner.y + (r.bottom - r.top), lines, need);
    if (_wcsicmp(cls, L"ListBox") == 0) {
        int n = (int)SendMessageW(h, LB_GETCOUNT, 0, 0), i;
        for (i = 0; i < n; ++i) {
            if (i) fputs("|", out);
            SendMessageW(h, LB_GETTEXT, i, (LPARAM)text);
            putUtf8(text);
        }
        fprintf(out, "#%d", (int)SendMessageW(h, LB_GETCURSEL, 0, 0));
    } else {
        if (_wcsicmp(cls, L"Button") == 0 && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
            fputs("[x]", out);
        putUtf8(text);
    }
    fprintf(out, "\t%d\t%d\t%d\n", ink, drawn, same);
}

static void dumpTree(HWND parent) {
    HWND child;
    for (child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        dumpOne(child);
        dumpTree(child);
    }
}

int main(int argc, char** argv) {
    const char* title;
    int i;
    if (argc < 3) die("usage:", "uidriver TITLE COMMAND...");
    title = argv[1];
    for (i = 2; i < argc; ++i) {
        const char* cmd = argv[i];
        if (strcmp(cmd, "wait") == 0 && i + 1 < argc) {
            const DWORD start = GetTickCount(), limit = (DWORD)atoi(argv[++i]) * 1000;
            while (!(frame = findFrame(title)) && GetTickCount() - start < limit) Sleep(50);
            if (!frame) die("no window", title);
        } else if (strcmp(cmd, "gone") == 0 && i + 1 < argc) {
            const DWORD start = GetTickCount(), limit = (DWORD)atoi(argv[++i]) * 1000;
            while (FindWindowA(frameClass, title) && GetTickCount() - start < limit) Sleep(50);
            if (FindWindowA(frameClass, title)) die("still open:", title);
        } else if (strcmp(cmd, "sleep") == 0 && i + 1 < argc) {
            Sleep((DWORD)atoi(argv[++i]));
        } else if (!frame && !(frame = findFrame(title))) {
            die("no window", title);
        } else if (strcmp(cmd, "box") == 0 && i + 1 < argc) {
            const DWORD start = GetTickCount(), limit = (DWORD)atoi(argv[++i]) * 1000;
            while (!programBox() && GetTickCount() - start < limit) Sleep(50);
            if (!programBox()) die("no message box of the program of", title);
        } else if (strcmp(cmd, "dump") == 0 && i + 1 < argc) {
            RECT w, c;
            POINT tl, br;
            openOut(argv[++i]);
            GetWindowRect(frame, &w);
            GetClientRect(frame, &c);
            tl.x = c.left, tl.y = c.top, br.x = c.right, br.y = c.bottom;
            ClientToScreen(frame, &tl);
            ClientToScreen(frame, &br);
            fprintf(out, "frame %ld %ld %ld %ld %ld %ld %ld %ld %d %d %d\n", w.left, w.top,
                    w.right, w.bottom, tl.x, tl.y, br.x, br.y, GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN), lineHeight(frame));
            dumpTree(frame);
            fclose(out);
        } else if (strcmp(cmd, "click") == 0 && i + 1 < argc) {
            HWND h = byId(atoi(argv[++i]));
            if (!h) die("no control", argv[i]);
            if (!IsWindowEnabled(h)) die("disabled:", argv[i]);
            SendMessageA(h, BM_CLICK, 0, 0);
        } else if (strcmp(cmd, "select") == 0 && i + 2 < argc) {
            HWND h = byId(atoi(argv[++i]));
            int index = atoi(argv[++i]);
            if (!h) die("no control", argv[i - 1]);
            SendMessageA(h, LB_SETCURSEL, (WPARAM)index, 0);
            SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), LBN_SELCHANGE),
                         (LPARAM)h);
        } else if (strcmp(cmd, "hover") == 0 && i + 1 < argc) {
            HWND h = byId(atoi(argv[++i]));
            RECT r;
            POINT middle;
            if (!h) die("no control", argv[i]);
            GetWindowRect(h, &r);
            middle.x = (r.left + r.right) / 2, middle.y = (r.top + r.bottom) / 2;
            pointAt(middle);
        } else if (strcmp(cmd, "text") == 0 && i + 2 < argc) {
            static wchar_t text[4096];
            HWND h = byId(atoi(argv[++i]));
            if (!h) die("no control", argv[i]);
            openOut(argv[++i]);
            GetWindowTextW(h, text, 4096);
            putUtf8(text);
            fclose(out);
        } else if (strcmp(cmd, "ink") == 0 && i + 2 < argc) {
            HWND h = byId(atoi(argv[++i]));
            if (!h) die("no control", argv[i]);
            openOut(argv[++i]);
            inkPicture(h);
            fclose(out);
        } else if (strcmp(cmd, "size") == 0 && i + 2 < argc) {
            int w = atoi(argv[i + 1]), h = atoi(argv[i + 2]);
            i += 2;
            SetWindowPos(frame, NULL, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
        } else if (strcmp(cmd, "close") == 0) {
            PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (strcmp(cmd, "closebox") == 0) {
            const struct Parts p = frameParts();
            if (!p.hasClose) die("no close box on", title);
            clickAt(p.close);
        } else if (strcmp(cmd, "drag") == 0 && i + 2 < argc) {
            const struct Parts p = frameParts();
            const int dx = atoi(argv[i + 1]), dy = atoi(argv[i + 2]);
            int step;
            i += 2;
            if (!p.hasCaption) die("no title bar on", title);
            pointAt(p.caption);
            Sleep(100);
            leftButton(MOUSEEVENTF_LEFTDOWN);
            for (step = 1; step <= 10; ++step) {
                Sleep(50);
                SetCursorPos(p.caption.x + dx * step / 10, p.caption.y + dy * step / 10);
            }
            Sleep(100);
            leftButton(MOUSEEVENTF_LEFTUP);
        } else if (strcmp(cmd, "minimize") == 0) {
            PostMessageA(frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else if (strcmp(cmd, "restore") == 0) {
            PostMessageA(frame, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else if (strcmp(cmd, "place") == 0 && i + 1 < argc) {
            RECT r;
            GetWindowRect(frame, &r);
            openOut(argv[++i]);
            fprintf(out, "%ld %ld %ld %ld %d\n", r.left, r.top, r.right, r.bottom,
                    IsIconic(frame) ? 1 : 0);
            fclose(out);
        } else if (strcmp(cmd, "sysmenu") == 0) {
            DWORD start, pressed;
            SetForegroundWindow(frame);
            Sleep(100);
            key(VK_MENU, 1);
            key(VK_SPACE, 1);
            key(VK_SPACE, 0);
            key(VK_MENU, 0);
            start = GetTickCount();
            while (!frameMenu() && GetTickCount() - start < 10000) Sleep(50);
            if (!frameMenu()) die("no window menu opened on", title);
            /* Escape closes the menu, and a second one leaves the menu's mode:
               one a second while the thread stays in it, for at most 10 s (the
               window takes no action on a further one). */
            start = GetTickCount();
            while (inMenuMode() && GetTickCount() - start < 10000) {
                key(VK_ESCAPE, 1);
                key(VK_ESCAPE, 0);
                pressed = GetTickCount();
                while (inMenuMode() && GetTickCount() - pressed < 1000) Sleep(50);
            }
            if (inMenuMode()) die("the window menu stays open on", title);
        } else if (strcmp(cmd, "type") == 0 && i + 2 < argc) {
            HWND h = byId(atoi(argv[++i]));
            const char* text = argv[++i];
            char cls[16];
            DWORD start;
            RECT r;
            POINT at;
            if (!h) die("no control", argv[i - 1]);
            GetClientRect(h, &r);
            at.x = (r.left + r.right) / 2, at.y = (r.top + r.bottom) / 2;
            GetClassNameA(h, cls, sizeof cls);
            if (_stricmp(cls, "ListBox") == 0) {
                const int item = (int)SendMessageA(h, LB_GETCURSEL, 0, 0),
                          top = (int)SendMessageA(h, LB_GETTOPINDEX, 0, 0),
                          height = (int)SendMessageA(h, LB_GETITEMHEIGHT, 0, 0);
                if (item < 0) die("no item selected in", argv[i - 1]);
                at.y = (item - top) * height + height / 2;
            }
            ClientToScreen(h, &at);
            clickAt(at);
            /* The keys go to the control once the click, in the program's own
               time, has given it the focus. */
            start = GetTickCount();
            while (focusOf(frame) != h && GetTickCount() - start < 10000) Sleep(50);
            if (focusOf(frame) != h) die("the click gave no keyboard focus to", argv[i - 1]);
            for (; *text; ++text) typeChar(*text);
        } else if (strcmp(cmd, "pointer") == 0 && i + 2 < argc) {
            const char* place = argv[++i];
            HCURSOR before;
            DWORD start;
            POINT at;
            RECT r;
            GetWindowRect(frame, &r);
            if (strcmp(place, "border") == 0) {
                at.x = r.left + 1, at.y = (r.top + r.bottom) / 2;
                if (hitTest(at.x, at.y) != HTLEFT) die("no sizing border on", title);
            } else if (strcmp(place, "background") == 0) {
                at.x = at.y = 5;
                ClientToScreen(frame, &at);
            } else {
                HWND h = byId(atoi(place));
                if (!h) die("no control", place);
                GetWindowRect(h, &r);
                at.x = (r.left + r.right) / 2, at.y = (r.top + r.bottom) / 2;
            }
            before = pointerShape();
            pointAt(at);
            /* The program sets the shape when the move reaches it (WM_SETCURSOR):
               the shape changes, or stays when it is the one shown before. */
            start = GetTickCount();
            while (pointerShape() == before && GetTickCount() - start < 10000) Sleep(50);
            Sleep(100);
            openOut(argv[++i]);
            fprintf(out, "%p\n", (void*)pointerShape());
            fclose(out);
        } else if (strcmp(cmd, "wrap") == 0 && i + 2 < argc) {
            static wchar_t text[4096];
            HWND h = byId(atoi(argv[++i]));
            RECT area;
            char* picture;
            SIZE size;
            int line;
            if (!h) die("no control", argv[i]);
            GetWindowTextW(h, text, 4096);
            area = clientOnScreen(h);
            size = drawnSize(text, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK, area.right - area.left);
            line = lineHeight(frame);
            picture = captureRect(&area);
            openOut(argv[++i]);
            fprintf(out, "%d %d %d\n", (int)(size.cy / line), (int)((area.bottom - area.top) / line),
                    inkRuns(picture, area.right - area.left, area.bottom - area.top));
            fclose(out);
            free(picture);
        } else if (strcmp(cmd, "frame") == 0 && i + 1 < argc) {
            openOut(argv[++i]);
            dumpFrame();
            fclose(out);
        } else {
            die("unknown command", cmd);
        }
    }
    return 0;
}
