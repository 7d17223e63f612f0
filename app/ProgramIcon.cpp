#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace torvik::app {

QIcon programIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 60, 110), 2));
    p.setBrush(QColor(90, 130, 200));
    p.drawRect(10, 14, 40, 36);
    p.drawEllipse(10, 42, 40, 14);
    p.setBrush(QColor(150, 185, 235));
    p.drawEllipse(10, 8, 40, 14);
    p.setPen(QPen(QColor(200, 150, 20), 4));
    p.drawEllipse(38, 34, 14, 14);
    p.drawLine(50, 46, 60, 56);
    p.drawLine(56, 52, 52, 56);
    p.end();
    return QIcon(pixmap);
}

} // namespace torvik::app
