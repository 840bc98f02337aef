#pragma once

// The files the program loads from each skin folder, without ".bmp".
constexpr int FrameCount = 18;
extern const char* const FrameNames[FrameCount];

// Skin folders in the order of the program's skin index.
constexpr int SkinCount = 4;
extern const char* const SkinFolders[SkinCount];
