// Test seam of the scene: resets for the process-wide state that the program
// itself sets once per run. The program's own code never calls these.
#pragma once

namespace scenetest {

// Forgets the started clock, so that the next StartClock reads the counter again.
void ResetClock();
// Returns the wedge transition to idle and clears its scratch configuration.
void ResetTransition();

}  // namespace scenetest
