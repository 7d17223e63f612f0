#include "passwords/TEditEx.h"

#include "text/Gbk.h"


namespace torvik::passwords {

bool SameNewPassword(const QString &first, const QString &second)
{
    if (first.isEmpty() || !text::isGbkEncodable(first) || !text::isGbkEncodable(second))
        return false;
    return text::toGbk(first) == text::toGbk(second);
}

void TEditEx::SetPartner(TEditEx *partner, QPushButton *button)
{
    FPartner = partner;
    FButton = button;
    connect(this, &QLineEdit::textChanged, this, &TEditEx::EditClick, Qt::UniqueConnection);
}

void TEditEx::EditClick()
{
    if (!FButton)
        return;
    FButton->setEnabled(false);
    if (FPartner && SameNewPassword(text(), FPartner->text()))
        FButton->setEnabled(true);
}

} // namespace torvik::passwords
