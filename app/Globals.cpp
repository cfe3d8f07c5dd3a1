#include "app/SaverMode.h"

SaverMode saverMode = ModeNone;
HINSTANCE moduleInstance = nullptr;
SaverContext* saverContext = nullptr;
HWND saverWindow = nullptr;
Scene* activeScene = nullptr;
