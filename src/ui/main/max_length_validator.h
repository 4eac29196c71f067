#pragma once

#include <QValidator>

class QLineEdit;

namespace tes {

// Limits what the user can type into a field to `maxLength` characters, while text the program writes
// stays whole (QLineEdit::setMaxLength would cut it). An over-long text written by the program can
// still be shortened by the user; it only cannot grow.
class MaxLengthValidator final : public QValidator {
    Q_OBJECT
public:
    MaxLengthValidator(int maxLength, QLineEdit* field);

    State validate(QString& input, int& pos) const override;
    int maxLength() const { return m_maxLength; }

private:
    int m_maxLength;
    qsizetype m_lastLength = 0;
};

// Writes the program's text into a field, whatever its length; the user's limit applies to typing only.
void SetProgramText(QLineEdit* field, const QString& text);

} // namespace tes
