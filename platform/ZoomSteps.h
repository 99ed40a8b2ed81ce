#pragma once

// The zoom levels a person steps through with Ctrl+= and Ctrl+-, in percent, as browsers offer
// them. The next level above (direction > 0) or below (direction < 0) the current one, which
// need not be a level itself; the current one at either end.
int nextZoomStep(int currentPercent, int direction);
