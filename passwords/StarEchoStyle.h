#pragma once

// Makes a password field echo every character as "*", whatever the platform
// style would draw.

#include <QProxyStyle>

namespace torvik::passwords {

class StarEchoStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;
};

} // namespace torvik::passwords
