#include "exchange/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace torvik::exchange {

TRadioGroup::TRadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent)
    : QGroupBox(title, parent)
{
    auto *layout = new QGridLayout(this);
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        group->addButton(button, i);
        layout->addWidget(button, i / columns, i % columns);
        buttons_.push_back(button);
    }
    connect(group, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
    setItemIndex(0);
}

int TRadioGroup::ItemIndex() const
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isChecked())
            return int(i);
    return -1;
}

void TRadioGroup::setItemIndex(int index)
{
    buttons_[size_t(index)]->setChecked(true);
}

} // namespace torvik::exchange
