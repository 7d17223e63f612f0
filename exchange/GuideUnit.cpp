#include "exchange/GuideUnit.h"

#include "exchange/RadioGroup.h"
#include "exchange/SeparatorEdit.h"

#include <QCheckBox>
#include <QPushButton>

namespace torvik::exchange {

namespace {

constexpr int kHeight = 236;

void paintBackground(QWidget *box, QPalette::ColorRole role)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, box->parentWidget()->palette().color(role));
    box->setPalette(palette);
}

} // namespace

TGuideForm::TGuideForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GuideForm"));
    setWindowTitle(QStringLiteral("导出向导"));
    // The first type's item lacks its closing parenthesis, as the wizard has always shown it.
    rg1 = new TRadioGroup(QStringLiteral("选择导出文件的类型:"),
                          {QStringLiteral("XML文件(*.XML"), QStringLiteral("HTML文件(*.htm;*.html)"),
                           QStringLiteral("文本文件(*.Txt)")},
                          1, this);
    rg1->setObjectName(QStringLiteral("rg1"));
    rg1->setGeometry(8, 8, 207, 120);
    rg2 = new TRadioGroup(QStringLiteral("栏位分隔符:"),
                          {QStringLiteral("分号（；）"), QStringLiteral("逗号（，）"), QStringLiteral("TAB"),
                           QStringLiteral("其它符号")},
                          1, this);
    rg2->setObjectName(QStringLiteral("rg2"));
    rg2->setGeometry(223, 8, 144, 150);
    edt1 = new TSeparatorEdit(this);
    edt1->setObjectName(QStringLiteral("edt1"));
    edt1->setGeometry(324, 128, 34, 22);
    chk1 = new QCheckBox(QStringLiteral("包含列的标题"), this);
    chk1->setObjectName(QStringLiteral("chk1"));
    chk1->setGeometry(223, 164, 144, 22);
    btn1 = new QPushButton(QStringLiteral("确定"), this);
    btn1->setObjectName(QStringLiteral("btn1"));
    btn1->setGeometry(24, 196, 75, 28);
    btn1->setDefault(true);
    btn2 = new QPushButton(QStringLiteral("取消"), this);
    btn2->setObjectName(QStringLiteral("btn2"));
    btn2->setGeometry(120, 196, 75, 28);

    edt1->setEnabled(false);
    paintBackground(edt1, QPalette::Window);
    rg2->hide();
    chk1->hide();
    setFixedSize(kNarrowWidth, kHeight);

    connect(rg1, &TRadioGroup::clicked, this, [this] { rg1Click(); });
    connect(rg2, &TRadioGroup::clicked, this, [this] { rg2Click(); });
    connect(btn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn2, &QPushButton::clicked, this, &QDialog::reject);
}

ExportType TGuideForm::exportType() const
{
    return ExportType(rg1->ItemIndex());
}

void TGuideForm::rg1Click()
{
    const bool text = exportType() == ExportType::Text;
    rg2->setVisible(text);
    chk1->setVisible(text);
    setFixedSize(text ? kWideWidth : kNarrowWidth, kHeight);
}

void TGuideForm::rg2Click()
{
    const bool other = rg2->ItemIndex() == 3;
    edt1->setEnabled(other);
    paintBackground(edt1, other ? QPalette::Base : QPalette::Window);
}

} // namespace torvik::exchange
