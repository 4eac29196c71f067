#include "ui/access_key_focus.h"

#include <QAbstractButton>
#include <QEvent>

namespace tes {

namespace {

// Sees the shortcut event first: the focus moves, then the button goes on to click.
class AccessKeyFocus final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut) {
            auto* button = static_cast<QAbstractButton*>(watched);
            if (button->isEnabled() && button->focusPolicy() != Qt::NoFocus)
                button->setFocus(Qt::ShortcutFocusReason);
        }
        return false;
    }
};

} // namespace

void TakeFocusOnAccessKey(QAbstractButton* button) {
    button->installEventFilter(new AccessKeyFocus(button));
}

} // namespace tes
