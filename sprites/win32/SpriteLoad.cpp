#include "sprites/win32/SpriteLoad.h"

#include <cstdlib>
#include <cstring>

#include "app/MascotState.h"
#include "sprites/BitmapCheck.h"
#include "sprites/BitmapInfoCopy.h"

namespace {

uint64_t Join64(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// The file's bytes in one read, whatever happens to the file meanwhile,
// and the number of names the file goes by.
FileBytes ReadSpriteFile(const SpriteFile& sprite, uint32_t& links)
{
    links = 0;
    HANDLE file = OpenSpriteFile(sprite);
    if (file == INVALID_HANDLE_VALUE) return FileBytes{nullptr, 0, 0, false};
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(file, &information)) links = information.nNumberOfLinks;
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

bool IsFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileBytes ReadSpriteBytes(HANDLE file)
{
    FileBytes bytes = {nullptr, 0, 0, false};
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size)) return bytes;
    bytes.whole = true;
    if (size.QuadPart <= 0) return bytes;
    bytes.fileSize = static_cast<uint64_t>(size.QuadPart);
    if (bytes.fileSize > MaxSpriteFileBytes) return bytes;
    const DWORD want = static_cast<DWORD>(size.QuadPart);
    bytes.data = static_cast<uint8_t*>(std::malloc(want));
    bytes.whole = bytes.data != nullptr && ReadFile(file, bytes.data, want, &bytes.size, nullptr);
    if (!bytes.whole) bytes.size = 0;
    return bytes;
}

HBITMAP BitmapFromBytes(const uint8_t* file, const BitmapLayout& layout, HDC dc)
{
    BitmapInfoCopy header;
    std::memset(&header, 0, sizeof header);
    std::memcpy(header.bytes, file + BitmapFileHeaderBytes, layout.infoEnd - BitmapFileHeaderBytes);
    NormaliseBitmapInfo(header.bytes, sizeof header.bytes, layout);
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

bool FindSpriteFile(SpriteFile& file, const char* name)
{
    file.place = SkinBuiltIn;
    file.besideProgram[0] = L'\0';
    if (!BuildSpritePath(file.relative, sizeof file.relative, mascot.skinIndex, name) ||
        !BuildBuiltInFrameName(file.builtIn, sizeof file.builtIn, mascot.skinIndex, name))
        return false;
    const char* folder = SkinFolderName(mascot.skinIndex);
    // A file of the skin's name is not its folder.
    const bool working = IsFolder(GetFileAttributesA(folder));
    bool program = false;
    if (!working) {
        wchar_t self[MAX_PATH], skinFolder[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
        program = BuildProgramPath(skinFolder, MAX_PATH, self, length, MAX_PATH, folder) &&
                  IsFolder(GetFileAttributesW(skinFolder)) &&
                  BuildProgramPath(file.besideProgram, MAX_PATH, self, length, MAX_PATH, file.relative);
    }
    file.place = ChooseSkinPlace(working, program);
    return true;
}

SpriteFileFacts ReadSpriteFacts(const SpriteFile& file)
{
    SpriteFileFacts facts = {false, 0, 0, 0, 0};
    WIN32_FILE_ATTRIBUTE_DATA data;
    BOOL found = FALSE;
    if (file.place == SkinInWorkingFolder)
        found = GetFileAttributesExA(file.relative, GetFileExInfoStandard, &data);
    else if (file.place == SkinBesideProgram)
        found = GetFileAttributesExW(file.besideProgram, GetFileExInfoStandard, &data);
    else
        facts.exists = true;  // the program's own copy never changes
    if (!found) return facts;
    facts.exists = true;
    facts.size = Join64(data.nFileSizeHigh, data.nFileSizeLow);
    facts.writeTime = Join64(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    facts.creationTime = Join64(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
    facts.attributes = data.dwFileAttributes;
    return facts;
}

HANDLE OpenSpriteFile(const SpriteFile& file)
{
    // Every share mode: "FILE_SHARE_DELETE ... Enables subsequent open
    // operations on a file or device to request delete access", and likewise
    // for writing, so an editor saving the picture (in place, or by
    // replacing or deleting it) never fails because a paint reads it, and a
    // paint goes on while an editor holds it open for writing.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    switch (file.place) {
    case SkinInWorkingFolder:
        return CreateFileA(file.relative, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    case SkinBesideProgram:
        return CreateFileW(file.besideProgram, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    default:
        return INVALID_HANDLE_VALUE;
    }
}

SpriteBitmap BitmapFromFileBytes(const uint8_t* bytes, size_t size, HDC dc)
{
    SpriteBitmap sprite = {nullptr, 0, 0, 0, 0, false};
    const BitmapLayout layout = CheckBitmapFile(bytes, size);
    sprite.settled = !layout.usable;
    if (!layout.usable) return sprite;
    sprite.bitmap = BitmapFromBytes(bytes, layout, dc);
    sprite.width = layout.width;
    sprite.height = layout.height < 0 ? -layout.height : layout.height;
    sprite.bytes = sprite.bitmap != nullptr ? layout.decodedBytes : 0;
    // GDI may fail for want of memory or handles: that passes.
    sprite.settled = sprite.bitmap != nullptr;
    return sprite;
}

SpriteBitmap LoadSpriteBitmap(const SpriteFile& file, HDC dc)
{
    if (file.place == SkinBuiltIn) {
        // Resources live as long as the program: nothing to free.
        HRSRC found = FindResourceA(nullptr, file.builtIn, MAKEINTRESOURCEA(10));  // RT_RCDATA
        HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
        const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (bytes == nullptr) return SpriteBitmap{nullptr, 0, 0, 0, 0, true};
        return BitmapFromFileBytes(static_cast<const uint8_t*>(bytes), SizeofResource(nullptr, found), dc);
    }
    uint32_t links = 0;
    const FileBytes bytes = ReadSpriteFile(file, links);
    SpriteBitmap sprite = BitmapFromFileBytes(bytes.data, bytes.size, dc);
    sprite.links = links;
    sprite.settled = sprite.settled && bytes.whole;
    std::free(bytes.data);
    return sprite;
}
