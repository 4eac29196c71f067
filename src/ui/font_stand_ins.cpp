#include "ui/font_stand_ins.h"

#include <QStringList>

namespace tes {

QFont FontOrStandIn(const QString& family, int pointSize, QFont::StyleHint hint) {
    static const bool named = [] {
        QFont::insertSubstitutions(QStringLiteral("Courier New"),
                                   {QStringLiteral("Courier"), QStringLiteral("Liberation Mono"),
                                    QStringLiteral("DejaVu Sans Mono")});
        QFont::insertSubstitutions(
            QStringLiteral("Arial"),
            {QStringLiteral("Liberation Sans"), QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)named;
    QFont font(family, pointSize);
    font.setStyleHint(hint);
    return font;
}

} // namespace tes
