#pragma once
// Controls placed at fixed positions that follow their parent when it grows
// beyond the size they were laid out for: each is moved right and down by a
// share of the growth and widened and heightened by a share of it, so that
// tables and pictures take the room a larger window gives and the controls
// beside and below them keep their places next to them. A parent never
// shrinks below that size (a page then scrolls).

#include <QSize>

class QWidget;

namespace kuma::gui {

// Shares of the parent's growth beyond its base size, 0 to 1.
struct Give {
  double moveX = 0, moveY = 0, growX = 0, growY = 0;
};
inline constexpr Give kGrow{0, 0, 1, 1};          // takes all the room
inline constexpr Give kFollowRight{1, 0, 0, 0};   // stays at the right edge
inline constexpr Give kFollowBottom{0, 1, 0, 0};  // stays at the bottom edge
inline constexpr Give kWiden{0, 0, 1, 0};         // takes the width

// `widget` follows its parent by `give`, from its geometry now. The parent's
// base size is its size when the first of its controls is registered,
// unless SetStretchBase gave one.
void Stretch(QWidget* widget, Give give);
void SetStretchBase(QWidget* parent, QSize base);
// A picture in its sunken panel: the panel follows by `give`, the picture
// fills the panel.
void StretchInPanel(QWidget* picture, Give give);
// Every control of `parent` whose top is at or below `y`, and that follows
// no rule yet, keeps its distance to the bottom edge.
void FollowBottomFrom(QWidget* parent, int y);
// The same for the controls whose left edge is at or right of `x`, which
// keep their distance to the right edge.
void FollowRightFrom(QWidget* parent, int x);

}  // namespace kuma::gui
