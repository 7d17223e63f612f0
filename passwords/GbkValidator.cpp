#include "passwords/GbkValidator.h"

#include "text/Gbk.h"

namespace torvik::passwords {

QValidator::State GbkValidator::validate(QString &input, int &) const
{
    return text::isGbkEncodable(input) ? Acceptable : Invalid;
}

} // namespace torvik::passwords
