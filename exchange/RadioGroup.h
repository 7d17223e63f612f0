#pragma once

// A titled group of radio buttons of which one is chosen, laid out in a
// number of columns; the wizard and the import dialog choose with it.

#include <QGroupBox>

#include <vector>

class QRadioButton;

namespace torvik::exchange {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent = nullptr);

    int ItemIndex() const;
    void setItemIndex(int index);
    QRadioButton *button(int index) const { return buttons_[size_t(index)]; }

signals:
    // The user chose an item (also the one already chosen).
    void clicked(int index);

private:
    std::vector<QRadioButton *> buttons_;
};

} // namespace torvik::exchange
