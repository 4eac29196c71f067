#include "ui/main/status_line.h"

#include <QPainter>

namespace tes {

namespace {

// Pixels between the line's edges and its text.
constexpr int kTextMargin = 3;

} // namespace

QString ElideAtWord(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    for (qsizetype end = text.lastIndexOf(QLatin1Char(' ')); end > 0;
         end = text.lastIndexOf(QLatin1Char(' '), end - 1)) {
        QString shown = text.left(end);
        // "Skipped:…" reads as cut; "Skipped…" as left out.
        while (!shown.isEmpty() && QStringLiteral(",;:").contains(shown.back()))
            shown.chop(1);
        shown += ellipsis;
        if (metrics.horizontalAdvance(shown) <= width)
            return shown;
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent) {
    connect(this, &QStatusBar::messageChanged, this, [this] {
        updateToolTip();
        update();
    });
}

QRect StatusLine::textRect() const {
    return rect().adjusted(kTextMargin, 0, -kTextMargin, 0);
}

void StatusLine::updateToolTip() {
    const QString message = currentMessage();
    const bool whole = fontMetrics().horizontalAdvance(message) <= textRect().width();
    setToolTip(whole ? QString() : message);
}

void StatusLine::paintEvent(QPaintEvent* event) {
    if (currentMessage().isEmpty()) {
        QStatusBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().windowText().color());
    painter.drawText(textRect(), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                     ElideAtWord(currentMessage(), fontMetrics(), textRect().width()));
}

void StatusLine::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    updateToolTip();
}

} // namespace tes
