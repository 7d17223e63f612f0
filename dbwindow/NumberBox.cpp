#include "dbwindow/NumberBox.h"

#include <QDoubleSpinBox>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace torvik::dbwindow {

namespace {

double numberIn(const QAbstractSpinBox *box, const QString &text, double minimum)
{
    bool ok = false;
    const double value = box->locale().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value) ? value : minimum;
}

} // namespace

double readNumber(const QSpinBox *box)
{
    return numberIn(box, box->cleanText(), box->minimum());
}

double readNumber(const QDoubleSpinBox *box)
{
    return numberIn(box, box->cleanText(), box->minimum());
}

void writeNumber(QSpinBox *box, double value)
{
    box->setValue(int(std::clamp(value, double(box->minimum()), double(box->maximum()))));
}

} // namespace torvik::dbwindow
