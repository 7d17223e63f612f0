#include "dbwindow/RowIndicator.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>

namespace torvik::dbwindow {

RowIndicator::RowIndicator(std::function<RowMark(int)> markOf, QWidget *parent)
    : QHeaderView(Qt::Vertical, parent), markOf_(std::move(markOf))
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(true); // a click selects the whole row
    setHighlightSections(false);
}

QSize RowIndicator::sectionSizeFromContents(int) const
{
    return {14, fontMetrics().height() + 6};
}

void RowIndicator::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);

    const RowMark mark = markOf_ ? markOf_(logicalIndex) : RowMark::None;
    if (mark == RowMark::None)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(palette().color(QPalette::ButtonText));
    if (mark == RowMark::Current) {
        const QPointF c = QRectF(rect).center();
        QPainterPath triangle;
        triangle.moveTo(c.x() - 3, c.y() - 4);
        triangle.lineTo(c.x() + 3, c.y());
        triangle.lineTo(c.x() - 3, c.y() + 4);
        triangle.closeSubpath();
        painter->fillPath(triangle, palette().color(QPalette::ButtonText));
    } else {
        painter->drawText(rect, Qt::AlignCenter, mark == RowMark::Inserting ? QStringLiteral("*") : QStringLiteral("I"));
    }
    painter->restore();
}

} // namespace torvik::dbwindow
