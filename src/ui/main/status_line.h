#pragma once

#include <QStatusBar>

namespace tes {

// `text` as wide as `width` at most: whole, or cut after a word with an ellipsis; a first word wider
// than the line alone is cut within it.
QString ElideAtWord(const QString& text, const QFontMetrics& metrics, int width);

// The window's status line: a message too long for the line ends after a word with an ellipsis, and
// the whole message is its tooltip.
class StatusLine final : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect textRect() const;
    void updateToolTip();
};

} // namespace tes
