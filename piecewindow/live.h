// The live session in the piece window: the piece the host's liveSession
// hands over, copied as it grows (what is new is appended, so that keeping up
// costs what is new), drawn at LivePixelsPerSecond with the newest moment at
// the right edge. Scrolling back (the scroll bar, the wheel, Left or Right to
// an earlier chord) and Play, Pause or Stop stop the following, so that what
// the person looks at or plays stays put; scrolling to the end again, or the
// Session button, takes it up again. The zoom halves whenever the session
// would be wider than WidestBitmap.
#pragma once

inline constexpr double LivePixelsPerSecond = 20.0;

// The window (made or shown as needed) switched to the session, following
// it; the keyboard focus taken to it, or left where it is (the session
// opening by itself while the person plays or types in the main window).
void showLiveSession(bool takeFocus);
// The host's session grew: the window takes what is new if it shows the
// session, and keeps the newest moment in view while it follows.
void liveSessionGrew();
// After the person moved the view: following while the end is in view.
void viewMovedByHand();
// The session's title: "Session", or "Session (full: one hour)".
const char* liveSessionTitle();
