#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace torvik::app {

bool installQtTranslations(QTranslator &translator, const QString &directory)
{
    return translator.load(QStringLiteral("qtbase_zh_CN"), directory) && QCoreApplication::installTranslator(&translator);
}

} // namespace torvik::app
