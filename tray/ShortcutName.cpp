#include "tray/ShortcutName.h"

#include <cwchar>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Appends `text` at out[used]; false when it and the terminator do not fit.
bool Append(wchar_t* out, size_t size, size_t& used, const wchar_t* text)
{
    const size_t length = wcslen(text);
    if (used + length >= size) return false;
    wmemcpy(out + used, text, length + 1);
    used += length;
    return true;
}

}  // namespace

bool ShortcutName(unsigned copy, wchar_t* out, size_t size)
{
    if (size > 0) out[0] = L'\0';
    if (copy == 0) return false;
    wchar_t number[16];
    size_t at = sizeof number / sizeof number[0];
    number[--at] = L'\0';
    for (unsigned rest = copy; rest > 0; rest /= 10) number[--at] = static_cast<wchar_t>(L'0' + rest % 10);
    size_t used = 0;
    const bool fits = Append(out, size, used, L"Pelmo") &&
                      (copy == 1 || (Append(out, size, used, L" (") && Append(out, size, used, number + at) &&
                                     Append(out, size, used, L")"))) &&
                      Append(out, size, used, L".lnk");
    if (!fits && size > 0) out[0] = L'\0';
    return fits;
}

bool IsShortcutName(const wchar_t* name)
{
    const size_t length = wcslen(name);
    if (length < 4) return false;
    const wchar_t* ending = name + length - 4;
    const wchar_t* want = L".lnk";
    for (int i = 0; i < 4; ++i) {
        const wchar_t c = ending[i];
        const wchar_t lower = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
        if (lower != want[i]) return false;
    }
    return true;
}

size_t ProgramFolderLength(const wchar_t* program)
{
    size_t last = 0;
    bool found = false;
    for (size_t i = 0; program[i] != L'\0'; ++i)
        if (IsSeparator(program[i])) last = i, found = true;
    if (!found) return 0;
    return last == 0 || program[last - 1] == L':' ? last + 1 : last;
}

bool JoinPath(const wchar_t* folder, const wchar_t* name, wchar_t* out, size_t size)
{
    if (size > 0) out[0] = L'\0';
    size_t used = 0;
    const size_t length = wcslen(folder);
    const bool fits = Append(out, size, used, folder) &&
                      (length == 0 || IsSeparator(folder[length - 1]) || Append(out, size, used, L"\\")) &&
                      Append(out, size, used, name);
    if (!fits && size > 0) out[0] = L'\0';
    return fits;
}
