// The pictures kept between paints: the checked, decoded frames of the
// files in use, so that a frame is read again only once its file may have
// changed. A program that runs all day would otherwise read, check and
// decode the same file 50 times a second. Decided without the platform:
// the shell owns the pictures themselves and hands them in as opaque
// handles; this table says which are kept and keeps their memory bounded.
#pragma once
#include <cstddef>
#include <cstdint>

#include "sprites/SpritePath.h"

// Room for the 18 frames of each of the four skins, and for their pixels
// at 60 x 60 and 32 bits: about a megabyte. A frame past either bound is
// read at each draw, as it would be with nothing kept.
const int32_t KeptPictureSlots = 4 * 18;
const uint64_t KeptPictureBytes = 4ull * 18 * 60 * 60 * 4;

// What the system said of a frame's file just before it was read; a draw
// whose file says anything else reads it again.
struct SpriteFileFacts {
    bool exists;
    uint64_t size;
    uint64_t writeTime;
    uint64_t creationTime;
    uint32_t attributes;
};

struct KeptPicture {
    bool used;
    int32_t skinIndex;
    char name[8];
    SkinPlace place;  // where it was read from
    void* picture;  // the shell's bitmap; null: the file draws nothing (missing or refused)
    int32_t width;
    int32_t height;
    uint64_t bytes;  // the picture's pixels as decoded
    SpriteFileFacts facts;
};

struct KeptPictureTable {
    KeptPicture slots[KeptPictureSlots];
    int32_t used;
    uint64_t bytes;
};

extern KeptPictureTable keptPictures;

// The kept picture of frame `name` of skin `skinIndex`, or null.
KeptPicture* FindKeptPicture(int32_t skinIndex, const char* name);

// Whether a picture whose pixels take `bytes` may be kept beside those
// kept now: a free slot, and the pixels within the bound.
bool MayKeepPicture(const KeptPictureTable& table, uint64_t bytes);

// Keeps `kept` (its skin, picture, size, bytes and facts) as frame `name`
// when MayKeepPicture allows it and the name fits; the table's copy, or
// null when it is not kept and the caller still owns the picture.
KeptPicture* KeepPicture(const KeptPicture& kept, const char* name);

// Forgets the kept pictures of skin `skinIndex` (every skin for -1),
// handing each picture to `release`.
void ForgetKeptPictures(int32_t skinIndex, void (*release)(void* picture));

// Forgets one kept picture, handing it to `release`.
void ForgetKeptPicture(KeptPicture& kept, void (*release)(void* picture));

// Whether a file still says what it said when its picture was kept. A
// changed time stamp, older as well as newer (a file put in its place keeps
// the write time it was given, not its own), a changed size, attribute or
// presence: another content may lie there.
bool SameFileFacts(const SpriteFileFacts& kept, const SpriteFileFacts& now);

// A file that is a link (the system's reparse points) says what the link
// is, not what it points to, and a file known under several names may be
// changed through another one: neither is kept.
const uint32_t FileReparsePoint = 0x400;  // FILE_ATTRIBUTE_REPARSE_POINT
bool FileMayBeKept(const SpriteFileFacts& facts, uint32_t linkCount);
