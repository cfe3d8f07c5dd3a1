#include "app/GLWindow.h"

// The GL window and main loop come with the running saver; until then a
// preview or full-screen run ends at once.
void RunSaverWindow(HWND, int) {}
