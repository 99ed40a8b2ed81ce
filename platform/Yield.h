#pragma once

// Runs every window event already queued, then returns. Handlers queued before the call
// have run when it returns; deferred deletions are not processed here.
void yieldToPendingEvents();
