#include "app/CommandIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

namespace torvik::app {

namespace {

// Tango palette, so drawn glyphs sit well next to the bundled pictures.
const QColor kOutline(0x55, 0x57, 0x53);
const QColor kTitle(0x34, 0x65, 0xa4);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kDesk(0xd3, 0xd7, 0xcf);

// The desktop theme's icon `themeName`, else the bundled Tango picture
// `bundled` (a file name under :/icons/<size>/, without ".png").
QIcon themedIcon(const QString &themeName, const QString &bundled)
{
    QIcon fallback;
    for (const char *size : {"16x16", "22x22"})
        fallback.addFile(QStringLiteral(":/icons/%1/%2.png").arg(QLatin1String(size), bundled));
    return QIcon::fromTheme(themeName, fallback);
}

using Paint = std::function<void(QPainter &, int size)>;

// Paints once per size the toolbar and menus ask for, so small sizes stay sharp.
QIcon painted(const Paint &paint)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        paint(p, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A part of the square given in fractions of its side, on whole pixels.
QRect part(int size, double x, double y, double w, double h)
{
    return QRect(qRound(x * size), qRound(y * size), qRound(w * size), qRound(h * size));
}

// A window: outline, title bar and a white client area. Filled rectangles on
// whole pixels rather than strokes keep it crisp at 16 pixels.
void drawWindow(QPainter &p, const QRect &r, bool minimised = false)
{
    p.fillRect(r, kOutline);
    const QRect inner = r.adjusted(1, 1, -1, -1);
    if (minimised) {
        p.fillRect(inner, kTitle);
        return;
    }
    p.fillRect(inner, kPaper);
    p.fillRect(QRect(inner.topLeft(), QSize(inner.width(), std::max(2, r.height() / 5))), kTitle);
}

void drawPadlock(QPainter &p, const QRect &r, bool open)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double w = r.width();
    const double h = r.height();
    const double stroke = std::max(1.5, w * 0.13);
    // The shackle: a raised arch; open, it is lifted and one leg stands free.
    const double lift = open ? h * 0.16 : 0.0;
    const QRectF arch(r.left() + w * 0.24, r.top() + stroke / 2 - lift + h * 0.02, w * 0.52, h * 0.55);
    QPainterPath shackle;
    shackle.moveTo(arch.left(), open ? arch.center().y() : r.top() + h * 0.5);
    shackle.lineTo(arch.left(), arch.top() + arch.width() / 2);
    shackle.arcTo(QRectF(arch.left(), arch.top(), arch.width(), arch.width()), 180, -180);
    shackle.lineTo(arch.right(), r.top() + h * 0.5);
    p.setPen(QPen(kOutline, stroke, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shackle);

    const QRectF body(r.left() + w * 0.08, r.top() + h * 0.45, w * 0.84, h * 0.53);
    QLinearGradient gold(body.topLeft(), body.bottomLeft());
    gold.setColorAt(0, QColor(0xfc, 0xe9, 0x4f));
    gold.setColorAt(1, QColor(0xc4, 0xa0, 0x00));
    p.setPen(QPen(QColor(0x8f, 0x59, 0x02), 1));
    p.setBrush(gold);
    p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
    p.restore();
}

QIcon documentWithArrow(double arrowX, double documentX)
{
    const QIcon document = themedIcon(QStringLiteral("text-x-generic"), QStringLiteral("text-x-generic"));
    const QIcon arrow = themedIcon(QStringLiteral("go-next"), QStringLiteral("go-next"));
    return painted([=](QPainter &p, int s) {
        document.paint(&p, part(s, documentX, 0, 0.8, 1));
        arrow.paint(&p, part(s, arrowX, 0.42, 0.58, 0.58));
    });
}

QIcon documentWithPadlock(bool open)
{
    const QIcon document = themedIcon(QStringLiteral("text-x-generic"), QStringLiteral("text-x-generic"));
    return painted([=](QPainter &p, int s) {
        document.paint(&p, part(s, 0, 0, 0.8, 1));
        drawPadlock(p, part(s, 0.4, 0.36, 0.6, 0.64), open);
    });
}

QIcon closeWindow()
{
    const QIcon cross = themedIcon(QStringLiteral("process-stop"), QStringLiteral("process-stop"));
    return painted([=](QPainter &p, int s) {
        drawWindow(p, part(s, 0, 0.05, 0.86, 0.8));
        cross.paint(&p, part(s, 0.45, 0.45, 0.55, 0.55));
    });
}

QIcon windows(std::initializer_list<QRectF> frames)
{
    const std::vector<QRectF> list(frames);
    return painted([=](QPainter &p, int s) {
        for (const QRectF &f : list)
            drawWindow(p, part(s, f.x(), f.y(), f.width(), f.height()));
    });
}

QIcon minimizeAll()
{
    const QIcon down = themedIcon(QStringLiteral("go-down"), QStringLiteral("go-down"));
    return painted([=](QPainter &p, int s) {
        down.paint(&p, part(s, 0.18, 0, 0.64, 0.64));
        drawWindow(p, part(s, 0, 0.74, 0.47, 0.24), true);
        drawWindow(p, part(s, 0.53, 0.74, 0.47, 0.24), true);
    });
}

// Minimised windows lined up in rows from the bottom-left corner of the frame.
QIcon arrangeIcons()
{
    return painted([](QPainter &p, int s) {
        const QRect desk = part(s, 0, 0.04, 1, 0.92);
        p.fillRect(desk, kOutline);
        p.fillRect(desk.adjusted(1, 1, -1, -1), kDesk);
        drawWindow(p, part(s, 0.1, 0.68, 0.38, 0.2), true);
        drawWindow(p, part(s, 0.52, 0.68, 0.38, 0.2), true);
        drawWindow(p, part(s, 0.1, 0.44, 0.38, 0.2), true);
    });
}

} // namespace

QIcon commandIcon(CommandIcon which)
{
    switch (which) {
    case CommandIcon::Open: return themedIcon(QStringLiteral("document-open"), QStringLiteral("document-open"));
    case CommandIcon::Close: return QIcon::fromTheme(QStringLiteral("window-close"), closeWindow());
    case CommandIcon::Exit: return themedIcon(QStringLiteral("application-exit"), QStringLiteral("system-log-out"));
    // The arrow leaves the document on its right, or enters it from its left.
    case CommandIcon::Export: return documentWithArrow(0.42, 0);
    case CommandIcon::Import: return documentWithArrow(0, 0.2);
    case CommandIcon::Encrypt: return documentWithPadlock(false);
    case CommandIcon::Decrypt: return documentWithPadlock(true);
    case CommandIcon::Cut: return themedIcon(QStringLiteral("edit-cut"), QStringLiteral("edit-cut"));
    case CommandIcon::Copy: return themedIcon(QStringLiteral("edit-copy"), QStringLiteral("edit-copy"));
    case CommandIcon::Paste: return themedIcon(QStringLiteral("edit-paste"), QStringLiteral("edit-paste"));
    case CommandIcon::Cascade:
        return windows({{0, 0, 0.62, 0.55}, {0.19, 0.22, 0.62, 0.55}, {0.38, 0.45, 0.62, 0.55}});
    case CommandIcon::TileHorizontally: return windows({{0, 0.04, 1, 0.44}, {0, 0.52, 1, 0.44}});
    case CommandIcon::TileVertically: return windows({{0.02, 0, 0.46, 1}, {0.52, 0, 0.46, 1}});
    case CommandIcon::MinimizeAll: return minimizeAll();
    case CommandIcon::ArrangeIcons: return arrangeIcons();
    case CommandIcon::About: return themedIcon(QStringLiteral("help-about"), QStringLiteral("dialog-information"));
    }
    Q_UNREACHABLE();
}

} // namespace torvik::app
