#include "ui/caption_fit.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>
#include <QVariant>

namespace tes {

namespace {

const char* const kRightEdge = "tesRightEdge";
const char* const kWrapLines = "tesWrapLines";

// The lines a wrapping label's caption breaks into at the label's width.
int WrappedLineCount(const QLabel& label) {
    QTextLayout layout(label.text(), label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label.contentsRect().width());
        ++lines;
    }
    layout.endLayout();
    return lines;
}

bool LabelFits(const QLabel& label) {
    const QWidget* parent = label.parentWidget();
    if (!parent->rect().contains(label.geometry()))
        return false;
    for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (sibling != &label && sibling->isVisibleTo(parent) &&
            sibling->geometry().intersects(label.geometry()))
            return false;
    }
    const QFontMetrics metrics = label.fontMetrics();
    if (!label.wordWrap())
        return metrics.horizontalAdvance(label.text()) <= label.contentsRect().width();
    const QStringList lines = label.property(kWrapLines).toStringList();
    const int count = WrappedLineCount(label);
    return count * metrics.lineSpacing() <= label.height() + metrics.leading() &&
           (lines.isEmpty() || count == lines.size());
}

} // namespace

bool CaptionsFit(const QWidget& window, QStringList* problems) {
    bool fit = true;
    const auto note = [&](const QWidget& widget) {
        fit = false;
        if (problems)
            problems->append(widget.objectName());
    };
    // A check box draws its caption in the room its indicator leaves.
    for (const QCheckBox* box : window.findChildren<QCheckBox*>()) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        if (box->fontMetrics().horizontalAdvance(QString(box->text()).remove(u'&')) > room.width())
            note(*box);
    }
    // A push button's own size hint has a floor of the style's; its caption needs its text and margins.
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        const QStyle* style = button->style();
        const int needed = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) +
                           style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        if (needed > button->width())
            note(*button);
    }
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!LabelFits(*label))
            note(*label);
    }
    return fit;
}

void AlignLabelRight(QLabel* label, int right) {
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setProperty(kRightEdge, right);
    label->move(right - label->width(), label->y());
}

void WrapLabelInto(QLabel* label, const QStringList& lines) {
    label->setWordWrap(true);
    label->setProperty(kWrapLines, lines);
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, label->fontMetrics().horizontalAdvance(line));
    const int margins = label->width() - label->contentsRect().width();
    label->resize(width + margins + 1, label->fontMetrics().lineSpacing() * static_cast<int>(lines.size()));
}

void ResizeLabelsToCaptions(QWidget& window) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QStringList lines = label->property(kWrapLines).toStringList();
        if (!lines.isEmpty()) {
            WrapLabelInto(label, lines);
            continue;
        }
        if (label->wordWrap())
            continue; // a box for text that changes: it keeps its place and size
        label->adjustSize();
        const QVariant right = label->property(kRightEdge);
        if (right.isValid())
            label->move(right.toInt() - label->width(), label->y());
    }
}

QFont ChooseDialogFont(QWidget& window, double pointSize) {
    const auto tryFont = [&](QFont font) {
        window.setFont(font);
        ResizeLabelsToCaptions(window);
        return CaptionsFit(window);
    };
    const QFont system = window.font();
    QStringList families;
#ifdef Q_OS_WIN
    // Windows' own dialog fonts first (the system's on Windows 10 and 11 is the first): Wine's default
    // face ("MS Shell Dlg 2") stands for a serif one.
    for (const QString& family : {QStringLiteral("Segoe UI"), QStringLiteral("Tahoma")}) {
        if (QFontDatabase::hasFamily(family)) // not a stand-in the database would give instead
            families << family;
    }
#endif
    families << system.family();
    families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << QStringLiteral("Nimbus Sans");
    QStringList tried; // the families the system really gave, which may stand in for others
    for (const QString& family : families) {
        QFont font = system;
        font.setFamily(family);
        font.setPointSizeF(pointSize);
        const QString given = QFontInfo(font).family();
        if (tried.contains(given))
            continue;
        tried.append(given);
        if (tryFont(font))
            return font;
    }
    QFont font = system;
    for (double size = pointSize - 0.5; size >= 7; size -= 0.5) {
        font.setPointSizeF(size);
        if (tryFont(font))
            return font;
    }
    tryFont(font);
    return font;
}

} // namespace tes
