#include "tests/support/GridDriver.h"

#include "dbwindow/DbGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

namespace torvik::test {

QLineEdit *GridDriver::editor() const
{
    QLineEdit *e = grid_->findChild<QLineEdit *>(QStringLiteral("InplaceEditor"));
    return e && e->isVisible() ? e : nullptr;
}

int GridDriver::currentRow() const
{
    return grid_->currentIndex().row();
}

QWidget *GridDriver::keyTarget() const
{
    if (QLineEdit *e = editor())
        return e;
    return grid_;
}

void GridDriver::clickCell(int row, int column, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = grid_->model()->index(row, column);
    grid_->scrollTo(index);
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, modifiers, grid_->visualRect(index).center());
    QApplication::processEvents();
}

void GridDriver::clickIndicator(int row)
{
    QHeaderView *indicator = grid_->verticalHeader();
    const int y = indicator->sectionViewportPosition(row) + indicator->sectionSize(row) / 2;
    QTest::mouseClick(indicator->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(indicator->width() / 2, y));
    QApplication::processEvents();
}

void GridDriver::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(keyTarget(), key, modifiers);
    QApplication::processEvents();
}

void GridDriver::type(const QString &text)
{
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, keyTarget(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, keyTarget(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    QApplication::processEvents();
}

} // namespace torvik::test
