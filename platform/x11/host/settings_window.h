// Whether xscreensaver's settings window is open for this user. It keeps its
// own copy of ~/.xscreensaver and writes that copy back whole at its next
// change, so an edit made beside it is lost unless it is closed and reopened.
#pragma once

namespace standin {

// True when a process of this user runs xscreensaver-settings, or a window on
// $DISPLAY is one of its windows.
bool XscreensaverSettingsOpen();

}  // namespace standin
