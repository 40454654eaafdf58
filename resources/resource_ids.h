#pragma once
// The program icon (also the icon of the windows and of the tray).
#define IDI_APP 1
// Pointers: the main window's own, and the one over its tab rows.
#define IDR_POINTER_MAIN 101
#define IDR_POINTER_TAB 102
