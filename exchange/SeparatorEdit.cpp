#include "exchange/SeparatorEdit.h"

#include <QRegularExpressionValidator>

namespace torvik::exchange {

TSeparatorEdit::TSeparatorEdit(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(1);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\x21-\\x7E ]")), this));
}

std::optional<char> TSeparatorEdit::separator() const
{
    if (text().isEmpty())
        return std::nullopt;
    return char(text().at(0).unicode());
}

std::optional<char> chosenSeparator(int itemIndex, const TSeparatorEdit &other)
{
    switch (itemIndex) {
    case 0:
        return ';';
    case 1:
        return ',';
    case 2:
        return '\t';
    default:
        return other.separator();
    }
}

} // namespace torvik::exchange
