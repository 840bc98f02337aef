// skincheck.exe: tells a skin author, frame by frame, whether pelmo.exe
// shows a skin's pictures and how. Each file is read, checked and drawn as
// pelmo.exe reads, checks and draws it; what the line says is decided in
// the core (sprites/FrameReport). With folders named, it checks those;
// without, the skin folders a to d that pelmo.exe would use when started
// in the working folder.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <initializer_list>

#include "app/win32/SystemLibrary.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/BitmapCheck.h"
#include "sprites/FrameReport.h"
#include "sprites/win32/SpriteDraw.h"
#include "sprites/win32/SpriteLoad.h"
#include "sprites/SpritePath.h"

namespace {

// Long enough for any path Windows has (32767 characters and the end).
const size_t PathChars = 32768;

// Appends `text` to `out`; false, leaving `out` as it was, when it does not fit.
bool Append(wchar_t* out, size_t size, const wchar_t* text)
{
    const size_t length = wcslen(out), more = wcslen(text);
    if (length + more >= size) return false;
    wmemcpy(out + length, text, more + 1);
    return true;
}

// A console gets the text as it is; a pipe or a file gets UTF-8, since
// folder names may lie outside any code page. Each piece in turn, then the
// line's end.
void Say(std::initializer_list<const wchar_t*> pieces)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0, written = 0;
    const bool console = GetConsoleMode(out, &mode) != 0;
    static char utf8[4 * PathChars];
    for (const wchar_t* piece : pieces) {
        const int length = static_cast<int>(wcslen(piece));
        if (console) {
            WriteConsoleW(out, piece, static_cast<DWORD>(length), &written, nullptr);
            continue;
        }
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, piece, length, utf8, sizeof utf8, nullptr, nullptr);
        WriteFile(out, utf8, static_cast<DWORD>(bytes), &written, nullptr);
    }
    if (console)
        WriteConsoleW(out, L"\r\n", 2, &written, nullptr);
    else
        WriteFile(out, "\r\n", 2, &written, nullptr);
}

// A line of the core, in ASCII.
void SayAscii(const char* text)
{
    static wchar_t wide[512];
    size_t i = 0;
    for (; text[i] != '\0' && i + 1 < sizeof wide / sizeof wide[0]; ++i) wide[i] = static_cast<unsigned char>(text[i]);
    wide[i] = L'\0';
    Say({wide});
}

bool FolderExists(const wchar_t* path) { return IsFolder(GetFileAttributesW(path)); }

// The skin folder that pelmo.exe reads skin `letter` from when started in
// the working folder, into `out`: the working folder's own, by its
// relative name, when it exists; else the one beside this program, which
// the package puts beside pelmo.exe. False when neither exists: pelmo.exe
// then draws its built-in copy.
bool FindSkinFolder(wchar_t* out, size_t size, wchar_t letter)
{
    const wchar_t working[2] = {letter, L'\0'};
    out[0] = L'\0';
    if (FolderExists(working)) return Append(out, size, working);
    static wchar_t self[PathChars];
    const char folder[2] = {static_cast<char>(letter), '\0'};
    const DWORD length = GetModuleFileNameW(nullptr, self, PathChars);
    return BuildProgramPath(out, size, self, length, PathChars, folder) && FolderExists(out);
}

// The top-left ShownSide x ShownSide as pelmo.exe paints it: the key colour,
// then the picture at its own size from the corner, as 32-bit pixels.
bool DrawAsShown(const uint8_t* bytes, const BitmapLayout& layout, uint32_t* shown)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = ShownSide;
    info.bmiHeader.biHeight = -ShownSide;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HDC windowDC = CreateCompatibleDC(nullptr), spriteDC = CreateCompatibleDC(nullptr);
    HBITMAP window = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HBITMAP sprite = BitmapFromBytes(bytes, layout, spriteDC);
    const bool drawn = window != nullptr && sprite != nullptr;
    if (drawn) {
        HGDIOBJ oldWindow = SelectObject(windowDC, window), oldSprite = SelectObject(spriteDC, sprite);
        ClearToKey(windowDC);
        const int rows = layout.height < 0 ? -layout.height : layout.height;
        StretchBlt(windowDC, 0, 0, layout.width, rows, spriteDC, 0, 0, layout.width, rows, SRCCOPY);
        GdiFlush();
        std::memcpy(shown, pixels, sizeof(uint32_t) * ShownSide * ShownSide);
        SelectObject(windowDC, oldWindow);
        SelectObject(spriteDC, oldSprite);
    }
    DeleteDC(windowDC);
    DeleteDC(spriteDC);
    if (window != nullptr) DeleteObject(window);
    if (sprite != nullptr) DeleteObject(sprite);
    return drawn;
}

// One line for each frame of the folder; false when any is an error.
bool CheckFolder(const wchar_t* folder)
{
    char names[SkinFrameCount][8];
    ListSkinFrames(names);
    bool clean = true;
    for (const char* name : names) {
        char fileName[16], line[400];
        std::snprintf(fileName, sizeof fileName, "%s.bmp", name);
        static wchar_t path[PathChars];
        wchar_t wideName[16];
        for (size_t i = 0; i == 0 || fileName[i - 1] != '\0'; ++i) wideName[i] = fileName[i];
        path[0] = L'\0';
        FrameFile file = {FrameUnreadable, nullptr, 0, nullptr};
        FileBytes bytes = {nullptr, 0, 0, false};
        if (Append(path, PathChars, folder) && Append(path, PathChars, L"\\") && Append(path, PathChars, wideName)) {
            HANDLE handle =
                CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            const DWORD error = GetLastError();
            if (handle != INVALID_HANDLE_VALUE) {
                bytes = ReadSpriteBytes(handle);
                file = {FrameWasRead, bytes.data, bytes.size, nullptr};
                if (bytes.fileSize > MaxSpriteFileBytes) {
                    // Not read by the program; its headers tell why.
                    static uint8_t start[BitmapFileHeaderBytes + MaxBitmapInfoBytes];
                    DWORD got = 0;
                    if (!ReadFile(handle, start, sizeof start, &got, nullptr)) got = 0;
                    file = {FrameTooLong, start, got, nullptr, bytes.fileSize};
                }
                CloseHandle(handle);
            } else if (error == ERROR_FILE_NOT_FOUND) {
                file.read = FrameMissing;
            }
        }
        static uint32_t shown[ShownSide * ShownSide];
        const BitmapLayout layout = CheckBitmapFile(file.bytes, file.size);
        if (layout.usable && DrawAsShown(file.bytes, layout, shown)) file.shown = shown;
        if (ReportFrame(line, sizeof line, fileName, file) == FrameError) clean = false;
        SayAscii(line);
        std::free(bytes.data);
    }
    return clean;
}

// A console of its own (started by a double click) closes with the
// program, so it waits for Enter there. Only this process is attached to
// such a console: GetConsoleProcessList "Retrieves a list of the processes
// attached to the current console", and "the return value ... represents
// the number of process identifiers stored" (learn.microsoft.com); from a
// command prompt the prompt's own process is attached too.
void WaitIfOwnConsole()
{
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) != 1) return;
    Say({L"Press Enter to close this window."});
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    char c = 0;
    DWORD read = 0;
    while (ReadFile(in, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // Before anything makes the system load a DLL for the program.
    RestrictDllSearch();
    FillAnimationCatalogue();
    bool clean = true;
    for (int i = 1; i < argc; ++i) {
        if (!FolderExists(argv[i])) {
            Say({argv[i], L": error: no such folder"});
            clean = false;
            continue;
        }
        Say({L"Folder ", argv[i], L":"});
        clean = CheckFolder(argv[i]) && clean;
    }
    for (wchar_t letter = L'a'; argc == 1 && letter <= L'd'; ++letter) {
        static wchar_t folder[PathChars];
        const wchar_t skin[2] = {letter, L'\0'};
        if (!FindSkinFolder(folder, PathChars, letter)) {
            Say({L"Skin ", skin, L": no folder ", skin, L"\\ in the working folder or beside skincheck.exe, so pelmo.exe "
                 L"draws its built-in copy of skin ", skin, L"."});
            continue;
        }
        const bool working = wcscmp(folder, skin) == 0;
        Say({L"Skin ", skin, working ? L", from the working folder: " : L", from beside skincheck.exe: ", folder, L"\\"});
        clean = CheckFolder(folder) && clean;
    }
    WaitIfOwnConsole();
    return clean ? 0 : 1;
}
