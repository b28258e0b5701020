#pragma once

#include <QRect>

class QWidget;

// Keeps a child's distances to its parent's edges as the parent is resized, the
// way the suite's window was designed: a side that is anchored keeps its
// distance to that edge of the parent; a control anchored left and right (or top
// and bottom) stretches.
enum Anchor { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };

// Places the child at rect, given in the parent's client coordinates at the
// parent's design size, and keeps it anchored from then on.
void placeAnchored(QWidget *child, const QRect &rect, const QSize &parentDesignSize,
                   int anchors = AnchorLeft | AnchorTop);
