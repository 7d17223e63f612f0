// The controls of the database window: the five pages with their filter
// groups and balancing aids, the grid with its navigator, and the grid's
// popup menu.

#include "dbwindow/DBCUnitWin.h"
#include "dbwindow/DbGrid.h"
#include "dbwindow/DbNavigator.h"
#include "dbwindow/FilterGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <initializer_list>

namespace torvik::dbwindow {

namespace {

QWidget *addPage(QTabWidget *pages, const char *name, const QString &caption)
{
    auto *page = new QWidget(pages);
    page->setObjectName(QLatin1String(name));
    pages->addTab(page, caption);
    return page;
}

// The page's groups from the top down; the rest of the page stays empty.
void stackOnPage(QWidget *page, std::initializer_list<QWidget *> groups)
{
    auto *layout = new QVBoxLayout(page);
    for (QWidget *group : groups)
        layout->addWidget(group);
    layout->addStretch(1);
}

// A tab widget is as tall as its tallest page; the grid gets the room that
// the current page does not need.
void fitPageControlToCurrentPage(QTabWidget *pages)
{
    const QWidget *page = pages->currentWidget();
    if (!page)
        return;
    const int frame = 2 * pages->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, pages);
    pages->setFixedHeight(pages->tabBar()->sizeHint().height() + page->sizeHint().height() + frame + 2);
}

} // namespace

void TFrmDBMain::buildPages()
{
    RzPageControl1 = new QTabWidget(widget());
    RzPageControl1->setObjectName(QStringLiteral("RzPageControl1"));
    RzPageControl1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    // Items
    TabSheet1 = addPage(RzPageControl1, "TabSheet1", QStringLiteral("物品"));
    {
        const FilterGroup g = makeFilterGroup(
            TabSheet1, {"RzCheckBox1", true, "RzLabel1", "RzEdit1", QStringLiteral("物品名称:"), "CheckBox2", "RzButton1",
                        "RzLabel2", "RzComboBox1"});
        g.assignTo({.fieldNameBox = &RzCheckBox1, .nameField = &RzEdit1, .exactBox = &CheckBox2,
                    .searchButton = &RzButton1, .categoryList = &RzComboBox1});
        RzEdit1->setToolTip(QStringLiteral("过滤显示指定的物品数据，输入物品名称后，单击查找按钮，支持模糊查找。"));
        RzComboBox1->setToolTip(QStringLiteral("过滤显示指定类型的物品数据。"));
        RzComboBox1->setMaxVisibleItems(20);
        stackOnPage(TabSheet1, {g.group});
    }

    // Monsters
    TabSheet2 = addPage(RzPageControl1, "TabSheet2", QStringLiteral("怪物"));
    {
        FilterGroupSpec spec{"RzCheckBox2", true, "RzLabel3", "RzEdit2", QStringLiteral("怪物名称:"), "CheckBox4", "RzButton4",
                             "RzLabel4", "RzComboBox2"};
        spec.categoryEnabled = false;
        const FilterGroup g = makeFilterGroup(TabSheet2, spec);
        g.assignTo({.fieldNameBox = &RzCheckBox2, .nameField = &RzEdit2, .exactBox = &CheckBox4,
                    .searchButton = &RzButton4, .categoryList = &RzComboBox2});
        nameColour = makeNameColourPreview(TabSheet2);
        stackOnPage(TabSheet2, {g.group, nameColour.panel});
    }

    // Skills
    TabSheet3 = addPage(RzPageControl1, "TabSheet3", QStringLiteral("技能"));
    {
        FilterGroupSpec spec{"RzCheckBox3", true, "RzLabel6", "RzEdit4", QStringLiteral("技能名称:"), "CheckBox6", "RzButton5",
                             "RzLabel7", "RzComboBox3"};
        spec.categoryEnabled = false;
        const FilterGroup g = makeFilterGroup(TabSheet3, spec);
        g.assignTo({.fieldNameBox = &RzCheckBox3, .nameField = &RzEdit4, .exactBox = &CheckBox6,
                    .searchButton = &RzButton5, .categoryList = &RzComboBox3});
        powerTest = makePowerTestGroup(TabSheet3);
        stackOnPage(TabSheet3, {g.group, powerTest.GroupBoxMagic});
    }

    // Inner demons: the search controls are laid out but never in use.
    TabSheet4 = addPage(RzPageControl1, "TabSheet4", QStringLiteral("心魔"));
    {
        FilterGroupSpec spec{"RzCheckBox4", true, "RzLabel5", "RzEdit3", QStringLiteral("Lable:"), "CheckBox8", "RzButton8",
                             "RzLabel8", "RzComboBox4"};
        spec.searchEnabled = false;
        const FilterGroup g = makeFilterGroup(TabSheet4, spec);
        g.assignTo({.fieldNameBox = &RzCheckBox4, .nameLabel = &RzLabel5, .nameField = &RzEdit3, .exactBox = &CheckBox8,
                    .searchButton = &RzButton8, .categoryLabel = &RzLabel8, .categoryList = &RzComboBox4});
        RzGroupBox6 = new QGroupBox(QStringLiteral("数据调整"), TabSheet4);
        RzGroupBox6->setObjectName(QStringLiteral("RzGroupBox6"));
        RzGroupBox6->setMinimumHeight(40);
        stackOnPage(TabSheet4, {g.group, RzGroupBox6});
    }

    // Pets
    TabSheet6 = addPage(RzPageControl1, "TabSheet6", QStringLiteral("道士宝宝"));
    {
        const FilterGroup g = makeFilterGroup(TabSheet6, FilterGroupSpec{.fieldNameBox = "RzCheckBox7", .fieldNameBoxChecked = false});
        g.assignTo({.fieldNameBox = &RzCheckBox7});
        stackOnPage(TabSheet6, {g.group});
    }

    RzPageControl1->setCurrentIndex(0);
    fitPageControlToCurrentPage(RzPageControl1);
    connect(RzPageControl1, &QTabWidget::currentChanged, RzPageControl1,
            [pages = RzPageControl1](int) { fitPageControlToCurrentPage(pages); });
}

void TFrmDBMain::buildGridArea()
{
    RzDBGrid1 = new TDbGrid(widget());
    RzDBGrid1->setObjectName(QStringLiteral("RzDBGrid1"));
    DBNavigator = new TDbNavigator(widget());
    DBNavigator->setObjectName(QStringLiteral("DBNavigator"));

    auto *layout = new QVBoxLayout(widget());
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(RzPageControl1);
    layout->addWidget(RzDBGrid1, 1);
    layout->addWidget(DBNavigator);
}

void TFrmDBMain::buildPopupMenu()
{
    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    auto item = [this](const char *name, const QString &caption) {
        QAction *action = pm1->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    auto separator = [this](const char *name) {
        QAction *action = pm1->addSeparator();
        action->setObjectName(QLatin1String(name));
        return action;
    };
    N1 = item("N1", QStringLiteral("复制选择行数据到剪贴板"));
    N6 = separator("N6");
    N4 = item("N4", QStringLiteral("删除选择行数据"));
    N5 = item("N5", QStringLiteral("清空所有数据"));
    N3 = separator("N3");
    N2 = item("N2", QStringLiteral("所有物品重新排序"));
}

} // namespace torvik::dbwindow
