#pragma once

#include <QFont>
#include <QStringList>

class QLabel;
class QWidget;

namespace tes {

// Whether every caption of the window's labels, check boxes and buttons fits its control in the font
// it is drawn in: a check box or button is as wide as its caption needs, a label stays inside its
// parent and clear of every other control there, and a wrapping label's lines fit its height.
// `problems`, when given, names the captions that do not fit.
bool CaptionsFit(const QWidget& window, QStringList* problems = nullptr);

// Sizes each label to its caption again, keeping a right-aligned label's right edge (see
// AlignLabelRight), after the window's font changed. A label that wraps keeps its width: one made by
// WrapLabelInto is fitted to its lines again, any other keeps its size.
void ResizeLabelsToCaptions(QWidget& window);
// Keeps the label's right edge at `right` whenever it is sized to its caption.
void AlignLabelRight(QLabel* label, int right);
// Makes a wrapping label just wide enough for the widest of `lines`, so its caption breaks into them.
void WrapLabelInto(QLabel* label, const QStringList& lines);

// The window's font: the first of the families that lets every caption fit at `pointSize` (the
// system's own family first, then sans families of the classic dialog font's width), else the
// system's family at the largest size, in half points down to 7, that does. Sets it on the window,
// sizing the labels again each time.
QFont ChooseDialogFont(QWidget& window, double pointSize);

} // namespace tes
