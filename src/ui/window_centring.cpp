#include "ui/window_centring.h"

#include "lib/numbers.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tes {

namespace {

// Layout unit: 15 twips make one pixel at 96 dots per inch; Qt's logical pixels already scale with
// the screen, so they are taken as those pixels.
constexpr double kTwipsPerPixel = 15;

// The offset, in pixels, that centres `windowLength` within `screenLength`.
int CentredOffset(int screenLength, int windowLength) {
    const double screenTwips = RoundHalfEven(screenLength * kTwipsPerPixel);
    const double windowTwips = RoundHalfEven(windowLength * kTwipsPerPixel);
    const double difference = screenTwips - windowTwips;
    const double offsetTwips = difference > 0 ? difference / 2 : 0;
    return static_cast<int>(RoundHalfEven(offsetTwips / kTwipsPerPixel));
}

} // namespace

QRect CenterFormVertically(const QRect& screen, const QRect& window) {
    QRect moved = window;
    moved.moveTop(screen.top() + CentredOffset(screen.height(), window.height()));
    return moved;
}

QRect CenterFormHorizontally(const QRect& screen, const QRect& window) {
    QRect moved = window;
    moved.moveLeft(screen.left() + CentredOffset(screen.width(), window.width()));
    return moved;
}

void CenterOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    QRect frame = window.frameGeometry();
    frame = CenterFormVertically(area, frame);
    frame = CenterFormHorizontally(area, frame);
    window.move(frame.topLeft());
}

} // namespace tes
