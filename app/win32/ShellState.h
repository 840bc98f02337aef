// Program-wide items of the Win32 shell that sit beside the mascot state.
#pragma once
#include <windows.h>

// MascotSide: the back buffer's composition, stretched to the window.
#include "desk/MascotScale.h"

extern HINSTANCE appInstance;
extern char className[100];
extern HDC backBufferDC;
extern HBITMAP backBufferBitmap;

const UINT_PTR MascotTimer = 200;
const UINT MascotTimerPeriod = 20;
const COLORREF ColourKey = RGB(0, 255, 0);

// Multimedia notifications reach the window without the multimedia header.
#ifndef MM_MCINOTIFY
#define MM_MCINOTIFY 0x3B9
#endif

const WORD CmdExit = 105;
const WORD CmdMove = 32784;
const WORD CmdOptions = 32793;

const int OptionsDialogId = 103;
