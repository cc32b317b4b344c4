#pragma once
// Where windows open on a screen: the largest size of a console window that fits the available
// area (whole multiples where they fit, so that pixels stay sharp; shrunk with its aspect below
// that), and a place for every other window beside or below the game window, fully inside the area.
#include <QRect>
#include <QSize>

namespace zarvik::qthost {

// The window size for a natural size of which all but `fixedHeight` (the menu bar) scales: the
// natural content times the largest whole number that fits `available`, or, when even the natural
// size does not fit, the content shrunk to fit with its aspect kept.
QSize fittedWindowSize(QSize natural, int fixedHeight, QSize available);

// The frame moved so that it lies fully inside `available`; cut to the area's size when larger.
QRect keptInside(QRect frame, QRect available);

// A frame of `size` next to `main`: to its right, else below, else to its left, else above, the
// first side with room for it; where no side has room, the area's lower right corner, made shorter
// where it would cover the top `keepClear` rows of `main` (its title and menu bar). Inside the area
// in every case.
QRect besideOrBelow(QRect main, QSize size, QRect available, int keepClear);

}  // namespace zarvik::qthost
