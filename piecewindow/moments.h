// Moments of the piece shown in the main window: the column clicked, the
// segment stepped to with Left and Right, the segment under the playing cursor.
#pragma once

// The segment sounding at a moment; -1 when there is none.
int segmentAt(double time);
// The cursor to the moment, and what sounds there shown in the main window.
void showMomentAt(double time);
// The cursor to the start of the next segment (direction 1) or of this one,
// or the one before when the cursor stands at its start (-1); its chord shown.
void stepSegment(int direction);
// The main window shows the segment under the moment, if it did not already.
void followSegmentAt(double time);
