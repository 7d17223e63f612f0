#include "passwords/StarEchoStyle.h"

namespace torvik::passwords {

int StarEchoStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                             QStyleHintReturn *returnData) const
{
    if (hint == SH_LineEdit_PasswordCharacter)
        return '*';
    if (hint == SH_LineEdit_PasswordMaskDelay)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace torvik::passwords
