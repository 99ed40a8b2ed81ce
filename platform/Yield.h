#pragma once

// Runs every window event already queued, then returns. Handlers queued before the call
// have run when it returns; deferred deletions are not processed here. While a YieldsHeld
// lives, it returns at once.
void yieldToPendingEvents();

// Holds every yield for its lifetime: for code the engine waits on, which no other event may
// interrupt.
class YieldsHeld {
public:
    YieldsHeld();
    ~YieldsHeld();
    YieldsHeld(const YieldsHeld&) = delete;
    YieldsHeld& operator=(const YieldsHeld&) = delete;
};
