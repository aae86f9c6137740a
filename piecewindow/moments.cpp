// Moments shown in the main window (moments.h).
#include "piecewindow/moments.h"

#include <algorithm>

#include "piecewindow/state.h"
#include "piecewindow/view.h"

namespace {

// Half a millisecond: a cursor this near a segment's start stands on it.
constexpr double Nearness = 0.0005;

template <typename Span>
int spanAt(const std::vector<Span>& spans, double time) {
    const auto after = std::upper_bound(spans.begin(), spans.end(), time,
                                        [](double t, const Span& span) { return t < span.start; });
    if (after == spans.begin()) return -1;
    const int index = static_cast<int>(after - spans.begin()) - 1;
    return time < spans[index].end || index + 1 == static_cast<int>(spans.size()) ? index : -1;
}

// The main window gives its note field the focus; the piece window takes it
// back for its keys.
void show(const PitchSet& set) {
    if (PieceWindow.host.showMoment) PieceWindow.host.showMoment(set);
    SetFocus(PieceWindow.window);
}

void showSegment(int index) {
    PieceWindow.playback.shownSegment = index;
    show(index < 0 ? emptyPitchSet() : PieceWindow.piece.segments[index].pitches);
}

}  // namespace

int segmentAt(double time) { return spanAt(PieceWindow.piece.segments, time); }

void showMomentAt(double time) {
    PieceWindow.cursorTime = time;
    const int column = spanAt(PieceWindow.piece.columns, time);
    PieceWindow.playback.shownSegment = segmentAt(time);
    show(column < 0 ? emptyPitchSet() : PieceWindow.piece.columns[column].pitches);
}

void stepSegment(int direction) {
    const std::vector<PieceSegment>& segments = PieceWindow.piece.segments;
    if (segments.empty()) return;
    const double cursor = PieceWindow.cursorTime;
    int index = std::max(segmentAt(cursor), 0);
    if (direction > 0)
        index = std::min(index + 1, static_cast<int>(segments.size()) - 1);
    else if (cursor <= segments[index].start + Nearness)
        index = std::max(index - 1, 0);
    PieceWindow.cursorTime = segments[index].start;
    keepInView(PieceWindow.cursorTime);
    showSegment(index);
}

void followSegmentAt(double time) {
    const int index = segmentAt(time);
    if (index != PieceWindow.playback.shownSegment) showSegment(index);
}
