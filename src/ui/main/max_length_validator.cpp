#include "ui/main/max_length_validator.h"

#include <QLineEdit>

namespace tes {

MaxLengthValidator::MaxLengthValidator(int maxLength, QLineEdit* field)
    : QValidator(field), m_maxLength(maxLength), m_lastLength(field->text().size()) {
    // Remember the length of every text the field accepted, typed or written by the program.
    connect(field, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_lastLength = text.size(); });
}

QValidator::State MaxLengthValidator::validate(QString& input, int& /*pos*/) const {
    const qsizetype length = input.size();
    return length > m_maxLength && length > m_lastLength ? Invalid : Acceptable;
}

void SetProgramText(QLineEdit* field, const QString& text) {
    // QLineEdit checks a text it is given against its validator; an over-long one would then count as
    // not acceptable and stop the validator from refusing the next keystroke. Without the validator
    // the text is taken as it is.
    const QValidator* validator = field->validator();
    if (validator)
        field->setValidator(nullptr);
    field->setText(text);
    if (validator)
        field->setValidator(validator);
}

} // namespace tes
