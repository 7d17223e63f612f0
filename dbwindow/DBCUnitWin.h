#pragma once

// A database window: one open database file in a child window of the main
// frame. It owns its connection and one table dataset; five pages choose the
// game table that the grid shows.

#include "dbwindow/BalancingControls.h"
#include "ui/ModalUi.h"

#include <QMdiSubWindow>

#include <random>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

namespace torvik::dataset {
class TDataSource;
class TSqliteDB;
class TSqliteInlineSQL;
class TSqliteTable;
} // namespace torvik::dataset

namespace torvik::dbwindow {

class TDbGrid;
class TDbNavigator;
struct NameSearchColumns;

class TFrmDBMain : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TFrmDBMain(QWidget *parent = nullptr);
    ~TFrmDBMain() override;

    // Opens the file: connects, asks for the password while the file needs
    // one (Cancel closes the window), registers "Pos" and shows StdItems.
    void OpenDatabase(const QString &path);

    dataset::TSqliteDB *SqliteDB1 = nullptr;
    dataset::TSqliteInlineSQL *SqliteInlineSQL1 = nullptr;
    dataset::TSqliteTable *Table = nullptr; // the table of the active page
    dataset::TDataSource *DataSource = nullptr;

    // Pages
    QTabWidget *RzPageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QWidget *TabSheet3 = nullptr;
    QWidget *TabSheet4 = nullptr;
    QWidget *TabSheet6 = nullptr;

    // Items page
    QCheckBox *RzCheckBox1 = nullptr;
    QLineEdit *RzEdit1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QPushButton *RzButton1 = nullptr;
    QComboBox *RzComboBox1 = nullptr;
    // Monsters page
    QCheckBox *RzCheckBox2 = nullptr;
    QLineEdit *RzEdit2 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QPushButton *RzButton4 = nullptr;
    QComboBox *RzComboBox2 = nullptr;
    NameColourControls nameColour;
    // Skills page
    QCheckBox *RzCheckBox3 = nullptr;
    QLineEdit *RzEdit4 = nullptr;
    QCheckBox *CheckBox6 = nullptr;
    QPushButton *RzButton5 = nullptr;
    QComboBox *RzComboBox3 = nullptr;
    PowerTestControls powerTest;
    // Inner-demon page
    QCheckBox *RzCheckBox4 = nullptr;
    QLabel *RzLabel5 = nullptr;
    QLineEdit *RzEdit3 = nullptr;
    QCheckBox *CheckBox8 = nullptr;
    QPushButton *RzButton8 = nullptr;
    QLabel *RzLabel8 = nullptr;
    QComboBox *RzComboBox4 = nullptr;
    QGroupBox *RzGroupBox6 = nullptr;
    // Pets page
    QCheckBox *RzCheckBox7 = nullptr;

    TDbGrid *RzDBGrid1 = nullptr;
    TDbNavigator *DBNavigator = nullptr;

    QMenu *pm1 = nullptr;
    QAction *N1 = nullptr;
    QAction *N6 = nullptr;
    QAction *N4 = nullptr;
    QAction *N5 = nullptr;
    QAction *N3 = nullptr;
    QAction *N2 = nullptr;

    ui::FileRequest dlgSave;

    // The generator the balancing aids draw from; seeded when the window is created.
    std::mt19937 random;

    // Handlers
    void FormCreate();
    void FormDestroy();
    void FillCategoryList();
    void RzPageControl1PageChange();
    void TableAfterOpen();
    void RzCheckBox1Click(QCheckBox *Sender);
    void ApplyColumnLabels(int page);
    void pm1Popup();
    // column: the clicked grid column, -1 for none.
    void RzDBGrid1CellClick(int column);
    // Settles the edit pending in the grid as leaving the row would: what is
    // still in the cell editor goes into its field (the grid is one of the
    // data source's record writers), a modified record is posted and an
    // untouched one dropped. Throws when the post is refused.
    void PostPendingEdit();
    // Before the window closes: a row left with changes is posted, as leaving
    // the row would; when that fails the error is shown and the window stays.
    void FormCloseQuery(bool &CanClose);

    // Filtering and search (the items page's category list, a name search per page).
    void RzComboBox1Change(int index);
    void RzButton1Click();
    void RzButton4Click();
    void RzButton5Click();
    // key: the pressed key; Enter searches, the key goes on to the field.
    void RzEdit1KeyPress(int key);
    void RzEdit2KeyPress(int key);
    void RzEdit4KeyPress(int key);

    // Row commands of the grid's popup menu.
    void N1Click(); // copy the selected rows to the clipboard
    void N4Click(); // delete the selected rows
    void N5Click(); // clear the table
    void N2Click(); // renumber all items

    // Balancing aids.
    void RzButton9Click();
    void RzDBTrackBar1Change();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectHandlers();
    void connectSearchHandlers();
    void connectRowCommands();
    void connectBalancingAids();
    // Filtered on, filter text, filtered off: the reopen carries the filter,
    // a later reopen (the navigator's refresh) does not.
    void applyFilter(const std::string &filter);
    void searchByName(QLineEdit *field, const QCheckBox *exactBox, const NameSearchColumns &columns);
    void buildPages();
    void buildGridArea();
    void buildPopupMenu();
};

} // namespace torvik::dbwindow
