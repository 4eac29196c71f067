#pragma once

#include <QRect>

class QWidget;

namespace tes {

// The window's outer rectangle moved to the middle of the screen's height (or width): half the
// difference of the two sizes in twips, a half twip kept, and the screen's top (or left) edge when the
// window is as large as the screen or larger. Both sizes are rounded to whole twips first, halves to
// the even neighbour.
QRect CenterFormVertically(const QRect& screen, const QRect& window);
QRect CenterFormHorizontally(const QRect& screen, const QRect& window);

// Centres a window on its screen, vertically first, as each window does when it loads.
void CenterOnScreen(QWidget& window);

} // namespace tes
