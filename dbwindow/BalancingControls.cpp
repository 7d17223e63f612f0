#include "dbwindow/BalancingControls.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace torvik::dbwindow {

namespace {

struct NumberSpec {
    const char *name;
    const char16_t *label;
    int maximum;
    int step; // 0: an output, read only
    int initial;
};

QSpinBox *addNumber(QGroupBox *group, QGridLayout *grid, int index, int perRow, const NumberSpec &spec)
{
    auto *box = new QSpinBox(group);
    box->setObjectName(QLatin1String(spec.name));
    box->setRange(0, spec.maximum);
    box->setValue(spec.initial);
    if (spec.step > 0) {
        box->setSingleStep(spec.step);
    } else {
        box->setReadOnly(true);
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    }
    auto *label = new QLabel(QString::fromUtf16(spec.label), group);
    label->setBuddy(box);
    grid->addWidget(label, index / perRow, 2 * (index % perRow), Qt::AlignRight);
    grid->addWidget(box, index / perRow, 2 * (index % perRow) + 1);
    return box;
}

} // namespace

PowerTestControls makePowerTestGroup(QWidget *page)
{
    PowerTestControls c;
    c.GroupBoxMagic = new QGroupBox(
        QStringLiteral("技能威力测试（Power、MaxPower，所产生的值将受到技能等级的影响，而影响最终威力）"), page);
    c.GroupBoxMagic->setObjectName(QStringLiteral("GroupBoxMagic"));
    auto *outer = new QHBoxLayout(c.GroupBoxMagic);

    c.RzGroupBox9 = new QGroupBox(QStringLiteral("当前技能数据"), c.GroupBoxMagic);
    c.RzGroupBox9->setObjectName(QStringLiteral("RzGroupBox9"));
    auto *skill = new QGridLayout(c.RzGroupBox9);
    c.EditMagicName = new QLineEdit(c.RzGroupBox9);
    c.EditMagicName->setObjectName(QStringLiteral("EditMagicName"));
    c.EditMagicName->setReadOnly(true);
    auto *nameLabel = new QLabel(QStringLiteral("技能名称:"), c.RzGroupBox9);
    nameLabel->setBuddy(c.EditMagicName);
    skill->addWidget(nameLabel, 0, 0, Qt::AlignRight);
    skill->addWidget(c.EditMagicName, 0, 1);
    const NumberSpec skillNumbers[] = {
        {"EditPower", u"Power:", 65535, 100, 0},
        {"EditMaxPower", u"MaxPower:", 65535, 100, 0},
        {"EditDefPower", u"DefPower:", 65535, 100, 0},
        {"EditDefMaxPower", u"DefMaxPower:", 65535, 100, 0},
    };
    QSpinBox **skillBoxes[] = {&c.EditPower, &c.EditMaxPower, &c.EditDefPower, &c.EditDefMaxPower};
    for (int i = 0; i < 4; ++i)
        *skillBoxes[i] = addNumber(c.RzGroupBox9, skill, i + 1, 2, skillNumbers[i]);
    outer->addWidget(c.RzGroupBox9);

    c.RzGroupBox8 = new QGroupBox(QStringLiteral("人物基本属性模拟"), c.GroupBoxMagic);
    c.RzGroupBox8->setObjectName(QStringLiteral("RzGroupBox8"));
    auto *character = new QGridLayout(c.RzGroupBox8);
    const NumberSpec characterNumbers[] = {
        {"EditDC", u"攻击下限:", 65535, 10, 150},
        {"EditMaxDC", u"攻击上限:", 65535, 10, 300},
        {"EditSkillLevel", u"技能等级:", 7, 1, 5},
        {"EditBasePower", u"输出伤害:", 65535, 0, 0},
        {"EditMagBubbleDefenceLevel", u"魔法盾等级:", 7, 1, 5},
    };
    QSpinBox **characterBoxes[] = {&c.EditDC, &c.EditMaxDC, &c.EditSkillLevel, &c.EditBasePower,
                                   &c.EditMagBubbleDefenceLevel};
    for (int i = 0; i < 5; ++i)
        *characterBoxes[i] = addNumber(c.RzGroupBox8, character, i, 4, characterNumbers[i]);

    c.EditMagBubbleDefenceRate = new QDoubleSpinBox(c.RzGroupBox8);
    c.EditMagBubbleDefenceRate->setObjectName(QStringLiteral("EditMagBubbleDefenceRate"));
    c.EditMagBubbleDefenceRate->setRange(0, 7);
    c.EditMagBubbleDefenceRate->setDecimals(2);
    c.EditMagBubbleDefenceRate->setSingleStep(0.01);
    c.EditMagBubbleDefenceRate->setValue(5.0);
    auto *rateLabel = new QLabel(QStringLiteral("魔法盾强度:"), c.RzGroupBox8);
    rateLabel->setBuddy(c.EditMagBubbleDefenceRate);
    character->addWidget(rateLabel, 1, 2, Qt::AlignRight);
    character->addWidget(c.EditMagBubbleDefenceRate, 1, 3);
    c.EditDamage = addNumber(c.RzGroupBox8, character, 7, 4, {"EditDamage", u"真实伤害:", 65535, 0, 0});
    outer->addWidget(c.RzGroupBox8);

    c.RzButton9 = new QPushButton(QStringLiteral("测试"), c.GroupBoxMagic);
    c.RzButton9->setObjectName(QStringLiteral("RzButton9"));
    outer->addWidget(c.RzButton9, 0, Qt::AlignVCenter);
    outer->addStretch(1);
    return c;
}

NameColourControls makeNameColourPreview(QWidget *page)
{
    NameColourControls c;
    c.panel = new QWidget(page);
    auto *row = new QHBoxLayout(c.panel);
    row->setContentsMargins(0, 0, 0, 0);
    c.LableMonNameColor = new QLabel(QStringLiteral("怪物名字颜色:"), c.panel);
    c.LableMonNameColor->setObjectName(QStringLiteral("LableMonNameColor"));
    QFont bold = c.LableMonNameColor->font();
    bold.setBold(true);
    c.LableMonNameColor->setFont(bold);
    c.RzDBTrackBar1 = new QSlider(Qt::Horizontal, c.panel);
    c.RzDBTrackBar1->setObjectName(QStringLiteral("RzDBTrackBar1"));
    c.RzDBTrackBar1->setRange(0, 255);
    c.RzDBTrackBar1->setValue(0);
    c.RzDBTrackBar1->setPageStep(10);
    c.RzDBTrackBar1->setTickPosition(QSlider::NoTicks);
    c.RzDBTrackBar1->setMinimumWidth(255);
    row->addWidget(c.LableMonNameColor);
    row->addWidget(c.RzDBTrackBar1);
    row->addStretch(1);
    return c;
}

} // namespace torvik::dbwindow
