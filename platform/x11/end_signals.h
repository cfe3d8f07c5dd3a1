// SIGTERM, SIGINT and SIGHUP end a run the way the parent destroying the
// window does. The handler only sets a flag; PeekMessageA acts on it.
#pragma once

namespace standin {

// Installed with the first window; a second signal of the same kind then has
// its default effect, so a stuck process can still be stopped.
void InstallEndSignals();
// True once per signal received.
bool TakeEndSignal();

}  // namespace standin
