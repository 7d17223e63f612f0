#include "app/MdiArrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace torvik::app {

namespace {

QList<QMdiSubWindow *> windows(QMdiArea &area, bool minimised)
{
    QList<QMdiSubWindow *> out;
    for (QMdiSubWindow *w : area.subWindowList(QMdiArea::CreationOrder))
        if (w->isVisible() && w->isMinimized() == minimised)
            out.append(w);
    return out;
}

// Splits the length into n parts; the last one takes the remainder.
void tile(QMdiArea &area, bool inRows)
{
    const QList<QMdiSubWindow *> list = windows(area, false);
    if (list.isEmpty())
        return;
    const QRect client = area.viewport()->rect();
    const int n = int(list.size());
    const int length = inRows ? client.height() : client.width();
    const int part = length / n;
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = list[i];
        if (w->isMaximized())
            w->showNormal();
        const int start = i * part;
        const int size = i == n - 1 ? length - start : part;
        w->setGeometry(inRows ? QRect(0, start, client.width(), size) : QRect(start, 0, size, client.height()));
    }
}

} // namespace

void tileHorizontally(QMdiArea &area)
{
    tile(area, true);
}

void tileVertically(QMdiArea &area)
{
    tile(area, false);
}

void minimizeAll(QMdiArea &area)
{
    const QList<QMdiSubWindow *> list = area.subWindowList(QMdiArea::CreationOrder);
    for (auto it = list.crbegin(); it != list.crend(); ++it)
        (*it)->showMinimized();
}

void arrangeIcons(QMdiArea &area)
{
    const QRect client = area.viewport()->rect();
    int x = 0;
    int bottom = client.height();
    int rowHeight = 0;
    for (QMdiSubWindow *w : windows(area, true)) {
        const QSize size = w->size();
        if (x > 0 && x + size.width() > client.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        w->move(x, bottom - size.height());
        x += size.width();
        rowHeight = qMax(rowHeight, size.height());
    }
}

} // namespace torvik::app
