#include "dbwindow/FilterGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace torvik::dbwindow {

namespace {

template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

FilterGroup makeFilterGroup(QWidget *page, const FilterGroupSpec &spec)
{
    FilterGroup g;
    g.group = new QGroupBox(QStringLiteral("显示过滤"), page);
    auto *row = new QHBoxLayout(g.group);

    g.fieldNameBox = named(new QCheckBox(QStringLiteral("显示数据库字段名"), g.group), spec.fieldNameBox);
    g.fieldNameBox->setToolTip(QStringLiteral("显示数据库中各字段的名称。"));
    g.fieldNameBox->setChecked(spec.fieldNameBoxChecked);
    row->addWidget(g.fieldNameBox);

    if (spec.nameField) {
        g.nameLabel = new QLabel(spec.nameLabelText, g.group);
        if (spec.nameLabel)
            g.nameLabel->setObjectName(QLatin1String(spec.nameLabel));
        g.nameField = named(new QLineEdit(g.group), spec.nameField);
        g.nameField->setMinimumWidth(140);
        g.nameLabel->setBuddy(g.nameField);
        g.exactBox = named(new QCheckBox(QStringLiteral("精确查找"), g.group), spec.exactBox);
        g.exactBox->setToolTip(QStringLiteral("查找必须完全匹配物品名称的数据库记录。"));
        g.searchButton = named(new QPushButton(QStringLiteral("查找(&F)"), g.group), spec.searchButton);
        g.categoryLabel = new QLabel(QStringLiteral("分类编号:"), g.group);
        if (spec.categoryLabel)
            g.categoryLabel->setObjectName(QLatin1String(spec.categoryLabel));
        g.categoryList = named(new QComboBox(g.group), spec.categoryList);
        g.categoryList->setEditable(false); // pick only
        g.categoryList->setMinimumWidth(200);
        g.categoryLabel->setBuddy(g.categoryList);

        for (QWidget *w : {static_cast<QWidget *>(g.nameLabel), static_cast<QWidget *>(g.nameField),
                           static_cast<QWidget *>(g.exactBox), static_cast<QWidget *>(g.searchButton),
                           static_cast<QWidget *>(g.categoryLabel), static_cast<QWidget *>(g.categoryList)}) {
            row->addWidget(w);
            w->setEnabled(spec.searchEnabled);
        }
        g.categoryLabel->setEnabled(spec.searchEnabled && spec.categoryEnabled);
        g.categoryList->setEnabled(spec.searchEnabled && spec.categoryEnabled);
    }
    row->addStretch(1);
    return g;
}

void FilterGroup::assignTo(const FilterGroupMembers &members) const
{
    const auto put = [](auto **member, auto *control) {
        if (member)
            *member = control;
    };
    put(members.fieldNameBox, fieldNameBox);
    put(members.nameLabel, nameLabel);
    put(members.nameField, nameField);
    put(members.exactBox, exactBox);
    put(members.searchButton, searchButton);
    put(members.categoryLabel, categoryLabel);
    put(members.categoryList, categoryList);
}

} // namespace torvik::dbwindow
