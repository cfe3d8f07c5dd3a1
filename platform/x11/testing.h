// The stand-in's test interface: hooks that tests use to control the edges of
// the platform (clock, cursor, platform identifier, library search). The
// program's own code never calls these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/x11/win32.h"

namespace standin {

// Time: when manual, QueryPerformanceCounter/Frequency and GetTickCount report
// the values set here instead of CLOCK_MONOTONIC.
void UseManualClock(bool manual);
void SetManualCounter(int64_t count, int64_t frequency);
void SetManualTickCount(DWORD milliseconds);

// Cursor: when manual, GetCursorPos reports this point.
void UseManualCursor(bool manual);
void SetManualCursor(LONG x, LONG y);

// The platform identifier GetVersionExA reports (VER_PLATFORM_WIN32_NT by default).
void SetPlatformId(DWORD platformId);
// A directory LoadLibraryA looks in first (empty: only the normal search).
void SetLibraryDirectory(const std::string& directory);

// Makes one WGL call fail from now on, as a driver without a usable context
// would: "wglCreateContext" or "wglMakeCurrent" ("" for none).
void FailWglCall(const std::string& call);

// The SPI_SETSCREENSAVERRUNNING state as last set.
bool ScreenSaverRunning();

// How many SC_SCREENSAVE commands reached DefWindowProcA.
int ScreenSaveRequests();

// The last cursor SetCursor selected: 0 none (hidden), 1 the arrow.
int CurrentCursorKind();

// Message boxes: when headless, MessageBoxA only writes to standard error (and
// records the text) instead of also showing a box.
void SetMessageBoxesHeadless(bool headless);
// The text and caption of the last MessageBoxA, empty when none was shown.
std::string LastMessageBoxText();
std::string LastMessageBoxCaption();

// Module resources: an RT_RCDATA block (a copy of `size` bytes) that
// FindResourceA finds by `name`, ahead of an embedded block of the same name.
void AddTestResource(const char* name, const void* bytes, size_t size);
// Removes every block added by AddTestResource.
void ClearTestResources();

// Registry: every replacement of user.reg fails at this step until the stage
// is set back to Never (creating, writing or syncing the temporary file,
// renaming it over the old one, or flushing the folder after the rename), as a
// full disk or an I/O error would.
enum class RegistryWriteStage { Never, Create, Write, Sync, Rename, SyncFolder };
void FailRegistryWriteAt(RegistryWriteStage stage);
// Forgets every value SetRunOnlyDword set (run_values.h): queries answer from the file again.
void ClearRunOnlyValues();

}  // namespace standin
