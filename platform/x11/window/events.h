// Translation of X events for the stand-in's windows into window messages.
#pragma once

namespace standin {

// Reads every X event already waiting (never blocks) and translates it:
// input goes to the queue, destruction reaches the procedure at once.
void PumpXEvents();

}  // namespace standin
