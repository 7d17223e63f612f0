#include "tests/dbwindow/WindowDriving.h"

#include "dataset/SqliteTable.h"
#include "dbwindow/DBCUnitWin.h"
#include "dbwindow/DbGrid.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace torvik::dbwindow::testing {

void typeInto(QLineEdit *field, const QString &text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    EXPECT_EQ(field->text(), text);
}

QStringList shownColumn(const TFrmDBMain &window, const char *fieldName)
{
    QStringList out;
    const dataset::TField *field = window.Table->FindField(fieldName);
    if (!field)
        return out;
    const QAbstractItemModel *model = window.RzDBGrid1->model();
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, field->Index()).data().toString();
    return out;
}

namespace {

QPoint rowPoint(TFrmDBMain &window, int row)
{
    TDbGrid *grid = window.RzDBGrid1;
    if (row == kBelowTheRows) {
        const int rows = grid->model()->rowCount();
        const int bottom = rows > 0 ? grid->visualRect(grid->model()->index(rows - 1, 0)).bottom() : 0;
        EXPECT_LT(bottom + 10, grid->viewport()->height()) << "the rows leave room below them";
        return {10, bottom + 10};
    }
    grid->scrollTo(grid->model()->index(row, 0));
    return grid->visualRect(grid->model()->index(row, 0)).center();
}

} // namespace

bool chooseFromPopup(TFrmDBMain &window, int row, QAction *item)
{
    QWidget *viewport = window.RzDBGrid1->viewport();
    const QPoint at = rowPoint(window, row);
    // A right click on a selected row keeps the selection; the menu follows it.
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
    QMenu *menu = window.pm1;
    EXPECT_TRUE(menu->isVisible()) << "the right click opens the popup menu";
    const bool enabled = item->isEnabled() && item->isVisible();
    const QRect place = menu->actionGeometry(item);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, place.center());
    if (menu->isVisible())
        menu->close();
    return enabled;
}

} // namespace torvik::dbwindow::testing
