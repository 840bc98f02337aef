#include "sprites/SpriteLoad.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/MascotState.h"
#include "sprites/BitmapCheck.h"
#include "sprites/SpritePath.h"

namespace {

bool FolderExists(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Other programs may write, replace or delete the file meanwhile (an editor
// saving it must not fail because the mascot happens to read it).
FileBytes ReadSpriteFile(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FileBytes{nullptr, 0};
    const FileBytes bytes = ReadSpriteBytes(file);
    CloseHandle(file);
    return bytes;
}

// Headers and colour table copied out, aligned and padded to the largest
// size: GDI reads bit-field masks at a fixed place and colours by its own
// count, and both reads stay inside this copy.
union BitmapInfoCopy {
    BITMAPINFO info;
    uint8_t bytes[MaxBitmapInfoBytes];
};

}  // namespace

FileBytes ReadSpriteBytes(HANDLE file)
{
    FileBytes bytes = {nullptr, 0};
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        const DWORD want = size.QuadPart < MaxSpriteFileBytes ? static_cast<DWORD>(size.QuadPart) : MaxSpriteFileBytes;
        bytes.data = static_cast<uint8_t*>(std::malloc(want));
        if (bytes.data != nullptr && !ReadFile(file, bytes.data, want, &bytes.size, nullptr)) bytes.size = 0;
    }
    return bytes;
}

HBITMAP BitmapFromBytes(const uint8_t* file, const BitmapLayout& layout, HDC dc)
{
    BitmapInfoCopy header;
    std::memset(&header, 0, sizeof header);
    std::memcpy(header.bytes, file + BitmapFileHeaderBytes, layout.infoEnd - BitmapFileHeaderBytes);
    const bool core = layout.headerBytes == BitmapCoreHeaderBytes;
    if (!core) header.info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &header.info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return nullptr;
    if (!core) header.info.bmiHeader.biCompression = layout.compression;
    const UINT rows = static_cast<UINT>(layout.height < 0 ? -layout.height : layout.height);
    if (SetDIBits(dc, bitmap, 0, rows, file + layout.pixelsAt, &header.info, DIB_RGB_COLORS) == 0) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

bool FindSpriteFile(char* out, size_t size, const char* name)
{
    char working[MAX_PATH], program[MAX_PATH], skinFolder[MAX_PATH];
    const DWORD workingLength = GetCurrentDirectoryA(sizeof working, working);
    const DWORD programLength = GetModuleFileNameA(nullptr, program, sizeof program);
    // Either one cut short would name another folder.
    if (workingLength == 0 || workingLength >= sizeof working || programLength == 0 || programLength >= sizeof program)
        return false;
    const bool workingHasSkin =
        BuildSkinFolderPath(skinFolder, sizeof skinFolder, working, mascot.skinIndex) && FolderExists(skinFolder);
    const SkinPlaces places = {working, workingHasSkin, program};
    return ResolveSpritePath(out, size, places, mascot.skinIndex, name);
}

SpriteBitmap LoadSpriteBitmap(const char* path, HDC dc)
{
    SpriteBitmap sprite = {nullptr, 0, 0};
    const FileBytes bytes = ReadSpriteFile(path);
    const BitmapLayout layout = CheckBitmapFile(bytes.data, bytes.size);
    if (layout.usable) {
        sprite.bitmap = BitmapFromBytes(bytes.data, layout, dc);
        sprite.width = layout.width;
        sprite.height = layout.height < 0 ? -layout.height : layout.height;
    }
    std::free(bytes.data);
    return sprite;
}
