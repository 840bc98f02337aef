#include "sprites/KeptPictures.h"

#include <cstring>

#include "app/TextCopy.h"

KeptPictureTable keptPictures = {};

KeptPicture* FindKeptPicture(int32_t skinIndex, const char* name)
{
    for (KeptPicture& kept : keptPictures.slots)
        if (kept.used && kept.skinIndex == skinIndex && std::strcmp(kept.name, name) == 0) return &kept;
    return nullptr;
}

bool MayKeepPicture(const KeptPictureTable& table, uint64_t bytes)
{
    return table.used < KeptPictureSlots && bytes <= KeptPictureBytes && table.bytes <= KeptPictureBytes - bytes;
}

KeptPicture* KeepPicture(const KeptPicture& kept, const char* name)
{
    // A name cut to fit would stand for another frame too.
    if (std::strlen(name) >= sizeof kept.name || !MayKeepPicture(keptPictures, kept.bytes) ||
        FindKeptPicture(kept.skinIndex, name) != nullptr)
        return nullptr;
    for (KeptPicture& slot : keptPictures.slots) {
        if (slot.used) continue;
        slot = kept;
        slot.used = true;
        CopyBounded(slot.name, sizeof slot.name, name);
        keptPictures.used += 1;
        keptPictures.bytes += kept.bytes;
        return &slot;
    }
    return nullptr;
}

void ForgetKeptPicture(KeptPicture& kept, void (*release)(void* picture))
{
    if (!kept.used) return;
    if (kept.picture != nullptr) release(kept.picture);
    keptPictures.used -= 1;
    keptPictures.bytes -= kept.bytes;
    kept = KeptPicture{};
}

void ForgetKeptPictures(int32_t skinIndex, void (*release)(void* picture))
{
    for (KeptPicture& kept : keptPictures.slots)
        if (kept.used && (skinIndex < 0 || kept.skinIndex == skinIndex)) ForgetKeptPicture(kept, release);
}

bool SameFileFacts(const SpriteFileFacts& kept, const SpriteFileFacts& now)
{
    if (kept.exists != now.exists) return false;
    return !kept.exists || (kept.size == now.size && kept.writeTime == now.writeTime &&
                            kept.creationTime == now.creationTime && kept.attributes == now.attributes);
}

bool FileMayBeKept(const SpriteFileFacts& facts, uint32_t linkCount)
{
    return !facts.exists || ((facts.attributes & FileReparsePoint) == 0 && linkCount <= 1);
}
