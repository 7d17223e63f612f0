#include "exchange/FileError.h"

#include "dataset/Errors.h"
#include "text/Gbk.h"

namespace torvik::exchange {

void throwFileError(const QString &what, const QString &path, const QString &reason)
{
    QString message = QStringLiteral("%1“%2”：%3").arg(what, path, reason);
    if (!text::isGbkEncodable(message))
        message = QStringLiteral("%1：%2").arg(what, reason);
    if (!text::isGbkEncodable(message))
        message = what;
    throw dataset::EDatabaseError(text::toGbk(message));
}

} // namespace torvik::exchange
