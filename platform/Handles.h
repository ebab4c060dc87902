#pragma once

// The window system's handles, opaque to portable code. The Win32 backend's
// are the real ones (the same declarations as the platform's own headers);
// the in-memory backend gives the structures a body of its own.
struct HWND__;
typedef HWND__* HWND;
struct HICON__;
typedef HICON__* HICON;
struct HMENU__;
typedef HMENU__* HMENU;
