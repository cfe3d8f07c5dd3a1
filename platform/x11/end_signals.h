// SIGTERM, SIGINT and SIGHUP end a run the way the parent destroying the
// window does. The handler only sets a flag; PeekMessageA and the modal loops
// act on it.
#pragma once

namespace standin {

// Installed first thing in main (and again harmlessly with the first window or
// modal box); a second signal of the same kind then has its default effect, so a
// stuck process can still be stopped. The three are unblocked, so one that was
// sent while a parent kept them blocked is taken at once; SIGPIPE is ignored.
void InstallEndSignals();
// True once per signal received.
bool TakeEndSignal();
// True while a signal waits to be taken (modal loops end on it and leave it
// for the message loop, which ends the run).
bool EndSignalPending();

}  // namespace standin
