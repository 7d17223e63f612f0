#include "dbwindow/DBCUnitWin.h"

#include "dataset/DataSource.h"
#include "dataset/SqliteDB.h"
#include "dataset/SqliteTable.h"
#include "dbwindow/DbGrid.h"
#include "dbwindow/DbNavigator.h"
#include "dbwindow/GameVocabulary.h"
#include "dataset/PosFunction.h"
#include "text/Gbk.h"
#include "ui/ErrorReport.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>

#include <random>
#include <string>
#include <vector>

namespace torvik::dbwindow {

namespace {

// The table each page shows, by page index.
const char *const kPageTables[] = {"StdItems", "Monster", "Magic", "Evil", "TaoistPet"};

} // namespace

TFrmDBMain::TFrmDBMain(QWidget *parent) : QMdiSubWindow(parent)
{
    setObjectName(QStringLiteral("FrmDBMain"));
    // Closing destroys the window; child windows would otherwise only hide.
    setAttribute(Qt::WA_DeleteOnClose);

    SqliteInlineSQL1 = new dataset::TSqliteInlineSQL(this);
    SqliteInlineSQL1->setObjectName(QStringLiteral("SqliteInlineSQL1"));
    SqliteInlineSQL1->setSQL({"PRAGMA case_sensitive_like = 1;"});

    SqliteDB1 = new dataset::TSqliteDB(this);
    SqliteDB1->setObjectName(QStringLiteral("SqliteDB1"));
    SqliteDB1->setDatabase(QStringLiteral("Ashgrove.DB"));
    SqliteDB1->setDefaultExt(QStringLiteral(".DB"));
    SqliteDB1->setTimeOut(5000);
    SqliteDB1->setCharacterEncoding("STANDARD");
    SqliteDB1->setMustExist(false);
    SqliteDB1->setExecuteInlineSQL(true);
    SqliteDB1->setInlineSQL(SqliteInlineSQL1);

    Table = new dataset::TSqliteTable(this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setConnection(SqliteDB1);
    Table->setAutoCommit(false);
    Table->setSQLiteDateFormat(true);
    Table->setMaxResults(0);
    Table->setStartResult(0);
    Table->setTypeLess(false);
    Table->setSQLCursor(true);
    Table->setReadOnly(false);
    Table->setUniDirectional(false);
    Table->setPrimaryAutoInc(false);
    Table->AfterOpen = [this](dataset::TDataSet &) { TableAfterOpen(); };

    DataSource = new dataset::TDataSource(this);
    DataSource->setObjectName(QStringLiteral("DataSource"));
    DataSource->setDataSet(Table);

    dlgSave.owner = this;

    setWidget(new QWidget);
    buildPages();
    buildGridArea();
    buildPopupMenu();
    RzDBGrid1->setDataSource(DataSource);
    DBNavigator->setDataSource(DataSource);
    connectHandlers();
    resize(960, 560);

    FormCreate();
}

TFrmDBMain::~TFrmDBMain()
{
    FormDestroy();
}

void TFrmDBMain::connectHandlers()
{
    connect(RzPageControl1, &QTabWidget::currentChanged, this, ui::guarded([this](int) { RzPageControl1PageChange(); }));
    for (QCheckBox *box : {RzCheckBox1, RzCheckBox2, RzCheckBox3, RzCheckBox4, RzCheckBox7})
        connect(box, &QCheckBox::clicked, this, ui::guarded([this, box](bool) { RzCheckBox1Click(box); }));
    connect(RzDBGrid1, &TDbGrid::cellClicked, this, [this](int column) { RzDBGrid1CellClick(column); });
    connect(pm1, &QMenu::aboutToShow, this, ui::guarded(this, &TFrmDBMain::pm1Popup));
    RzDBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RzDBGrid1, &QWidget::customContextMenuRequested, this,
            ui::guarded([this](const QPoint &at) { pm1->popup(RzDBGrid1->viewport()->mapToGlobal(at)); }));
    connectSearchHandlers();
    connectRowCommands();
    connectBalancingAids();
}

void TFrmDBMain::FormCreate()
{
    random.seed(std::random_device{}());
    QPalette palette = nameColour.LableMonNameColor->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    nameColour.LableMonNameColor->setPalette(palette);
    FillCategoryList();
}

void TFrmDBMain::FillCategoryList()
{
    RzComboBox1->clear();
    RzComboBox1->addItem(QStringLiteral("无"), QStringLiteral("nil"));
    for (const TItemCheck &item : StdModeList)
        RzComboBox1->addItem(categoryEntryText(item), categoryEntryValue(item));
    RzComboBox1->setCurrentIndex(0);
}

void TFrmDBMain::OpenDatabase(const QString &path)
{
    SqliteDB1->setDatabase(path);
    QString password;
    for (;;) {
        SqliteDB1->Open();
        if (!password.isEmpty())
            SqliteDB1->SetKey(text::toGbk(password));
        if (!SqliteDB1->NotADatabase())
            break;
        password.clear();
        QString entered;
        if (!ui::modalUi().password({this, QStringLiteral("打开加密的数据库"), QStringLiteral("输入数据库密码:"), password},
                                    entered)) {
            close();
            return;
        }
        password = entered;
        SqliteDB1->Close();
    }
    SqliteDB1->CreateFunction("Pos", 2, &dataset::PosFunction);
    // The layouts of the engine's tables are read, but no rule tells an old
    // layout from a current one, so nothing is concluded and nothing upgraded.
    std::vector<std::string> columns;
    for (const char *table : {"StdItems", "Monster", "TaoistPet"})
        SqliteDB1->GetColumnNames(table, columns);
    Table->setTableName("StdItems");
    Table->Open();
    RzDBGrid1CellClick(-1);
}

void TFrmDBMain::RzPageControl1PageChange()
{
    Table->Close();
    Table->setFilter({});
    Table->setFiltered(false);
    const int page = RzPageControl1->currentIndex();
    if (page < 0 || page >= int(std::size(kPageTables)))
        return;
    Table->setTableName(kPageTables[page]);
    switch (page) {
    case 0: {
        const QSignalBlocker quiet(RzComboBox1);
        RzComboBox1->setCurrentIndex(0);
        RzEdit1->clear();
        break;
    }
    case 1: RzEdit2->clear(); break;
    case 2: RzEdit4->clear(); break;
    default: break;
    }
    Table->Open();
}

void TFrmDBMain::TableAfterOpen()
{
    const int page = RzPageControl1->currentIndex();
    if ((page == 0 && RzCheckBox1->isChecked()) || (page == 1 && RzCheckBox2->isChecked()))
        return;
    ApplyColumnLabels(page);
}

void TFrmDBMain::RzCheckBox1Click(QCheckBox *Sender)
{
    if (Sender->isChecked()) {
        dataset::TFields &fields = Table->Fields();
        for (int i = 0; i < fields.Count(); ++i)
            fields[i]->setDisplayLabel({});
    } else {
        ApplyColumnLabels(RzPageControl1->currentIndex());
    }
}

void TFrmDBMain::ApplyColumnLabels(int page)
{
    if (!Table->Active())
        return;
    const auto labels = columnLabelsOfPage(page);
    dataset::TFields &fields = Table->Fields();
    for (int i = 0; i < fields.Count() && size_t(i) < labels.size(); ++i)
        fields[i]->setDisplayLabel(text::toGbk(QString::fromUtf16(labels[size_t(i)])));
}

void TFrmDBMain::pm1Popup()
{
    const bool unfiltered = Table->Filter().empty();
    N2->setVisible(Table->TableName() == "StdItems" && unfiltered);
    N5->setEnabled(unfiltered);
    const bool anySelected = !RzDBGrid1->SelectedRows().empty();
    N1->setEnabled(anySelected);
    N4->setEnabled(anySelected);
}

void TFrmDBMain::RzDBGrid1CellClick(int /*column*/)
{
    if (RzPageControl1->currentIndex() != 2)
        return;
    // Every read comes before the first write, so a failing read leaves all
    // inputs of the power test as they were; this handler reports nothing.
    try {
        const QString name = text::fromGbk(Table->FieldByName("MagName")->AsString());
        const int power = Table->FieldByName("Power")->AsInteger();
        const int maxPower = Table->FieldByName("MaxPower")->AsInteger();
        const int defPower = Table->FieldByName("DefPower")->AsInteger();
        const int defMaxPower = Table->FieldByName("DefMaxPower")->AsInteger();
        powerTest.EditMagicName->setText(name);
        powerTest.EditPower->setValue(power);
        powerTest.EditMaxPower->setValue(maxPower);
        powerTest.EditDefPower->setValue(defPower);
        powerTest.EditDefMaxPower->setValue(defMaxPower);
    } catch (...) {
    }
}

void TFrmDBMain::PostPendingEdit()
{
    if (Table->Active())
        Table->CheckBrowseMode();
}

void TFrmDBMain::FormCloseQuery(bool &CanClose)
{
    CanClose = true;
    try {
        PostPendingEdit();
    } catch (...) {
        CanClose = false;
        ui::showException(std::current_exception());
    }
}

void TFrmDBMain::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void TFrmDBMain::FormDestroy()
{
    try {
        Table->Close();
    } catch (...) {
        // A destructor cannot pass the error on; it is shown instead.
        ui::showException(std::current_exception());
    }
    // The views go before the dataset they show.
    delete RzDBGrid1;
    RzDBGrid1 = nullptr;
    delete DBNavigator;
    DBNavigator = nullptr;
}

} // namespace torvik::dbwindow
