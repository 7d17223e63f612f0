#pragma once

// Refuses input that holds a character GBK cannot represent, for fields whose
// text is stored or used as GBK bytes.

#include <QValidator>

namespace torvik::passwords {

class GbkValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

} // namespace torvik::passwords
