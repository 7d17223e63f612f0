#include "exchange/ImportGridsUnit.h"

#include "exchange/LinesEdit.h"
#include "exchange/RadioGroup.h"
#include "exchange/SeparatorEdit.h"
#include "exchange/TextAreaLoad.h"
#include "ui/ErrorReport.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

namespace torvik::exchange {

TImportForm::TImportForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportForm"));
    setWindowTitle(QStringLiteral("导入数据库"));
    setSizeGripEnabled(true);

    rg2 = new TRadioGroup(QStringLiteral("栏位分隔符:"),
                          {QStringLiteral("分号（；）"), QStringLiteral("逗号（，）"), QStringLiteral("TAB"),
                           QStringLiteral("其它符号"), QStringLiteral("Q7数据库")},
                          4, this);
    rg2->setObjectName(QStringLiteral("rg2"));
    edt1 = new TSeparatorEdit(this);
    edt1->setObjectName(QStringLiteral("edt1"));
    edt1->setFixedWidth(40);
    edt1->hide();
    btn1 = new QPushButton(QStringLiteral("打开导出的文本数据"), this);
    btn1->setObjectName(QStringLiteral("btn1"));
    btn2 = new QPushButton(QStringLiteral("开始导入数据库"), this);
    btn2->setObjectName(QStringLiteral("btn2"));
    mmo1 = new TLinesEdit(this);
    mmo1->setObjectName(QStringLiteral("mmo1"));
    mmo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *top = new QHBoxLayout;
    top->addWidget(rg2);
    top->addWidget(edt1);
    top->addStretch();
    top->addWidget(btn1);
    top->addWidget(btn2);
    auto *layout = new QGridLayout(this);
    layout->addLayout(top, 0, 0);
    layout->addWidget(mmo1, 1, 0);
    layout->setRowStretch(1, 1);
    resize(1120, 410);

    connect(rg2, &TRadioGroup::clicked, this, [this] { rg2Click(); });
    connect(btn1, &QPushButton::clicked, this, ui::guarded(this, &TImportForm::btn1Click));
    connect(btn2, &QPushButton::clicked, this, &QDialog::accept);
}

void TImportForm::rg2Click()
{
    edt1->setVisible(rg2->ItemIndex() == 3);
}

void TImportForm::btn1Click()
{
    dlgOpen.owner = this;
    if (rg2->ItemIndex() == kQ7Item) {
        dlgOpen.filter = QStringLiteral("请选择Q7数据库文件 (*.db)");
        const QString path = ui::modalUi().openFile(dlgOpen);
        if (!path.isEmpty())
            mmo1->setPlainText(path);
        return;
    }
    dlgOpen.filter = QStringLiteral("文本文件 (*.txt)");
    const QString path = ui::modalUi().openFile(dlgOpen);
    if (!path.isEmpty())
        loadExportedText(*mmo1, path);
}

} // namespace torvik::exchange
