#include "app/About.h"

#include "app/ProgramIcon.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvik::app {

TAboutBox *AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("关于"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(programIcon().pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);

    auto *product = new QLabel(QStringLiteral("KelmarTorvik引擎数据库管理工具"), this);
    product->setObjectName(QStringLiteral("ProductName"));
    auto *version = new QLabel(QStringLiteral("版本:20230525"), this);
    version->setObjectName(QStringLiteral("Version"));
    auto *copyright = new QLabel(QStringLiteral("支持Torvik数据库导入"), this);
    copyright->setObjectName(QStringLiteral("Copyright"));
    auto *comments = new QLabel(QStringLiteral("编辑游戏服务器引擎的SQLite数据库：物品、怪物、技能、心魔与道士宝宝，"
                                               "支持加密数据库与数据的导出导入。"),
                                this);
    comments->setObjectName(QStringLiteral("Comments"));
    comments->setWordWrap(true);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *panel = new QGridLayout;
    panel->addWidget(picture, 0, 0, 4, 1);
    panel->addWidget(product, 0, 1);
    panel->addWidget(version, 1, 1);
    panel->addWidget(copyright, 2, 1);
    panel->addWidget(comments, 3, 1);
    panel->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(panel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    setFixedSize(340, 200);
}

} // namespace torvik::app
