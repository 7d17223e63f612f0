#pragma once

// The one-character box for a separator of the user's choice. The exchanged
// text splits at a single byte, so only a printable ASCII character can be
// typed: a Chinese character is two bytes in GBK and would split its own
// lead byte off.

#include <QLineEdit>

#include <optional>

namespace torvik::exchange {

class TSeparatorEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TSeparatorEdit(QWidget *parent = nullptr);
    // The separator typed; none while the box is empty.
    std::optional<char> separator() const;
};

// The separator of the items "分号（；）", "逗号（，）", "TAB" and
// "其它符号" (the box's character); none for an empty box.
std::optional<char> chosenSeparator(int itemIndex, const TSeparatorEdit &other);

} // namespace torvik::exchange
