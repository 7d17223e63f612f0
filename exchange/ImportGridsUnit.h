#pragma once

// The import dialog: where the rows come from (delimited text with its
// separator, or a Paradox table of the other database family, "Q7数据库")
// and, for text, the lines themselves, which the user may edit first.

#include "ui/ModalUi.h"

#include <QDialog>

class QPushButton;

namespace torvik::exchange {

class TLinesEdit;
class TRadioGroup;
class TSeparatorEdit;

class TImportForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kQ7Item = 4;

    explicit TImportForm(QWidget *parent = nullptr);

    TRadioGroup *rg2 = nullptr;
    TSeparatorEdit *edt1 = nullptr;
    TLinesEdit *mmo1 = nullptr;
    QPushButton *btn1 = nullptr;
    QPushButton *btn2 = nullptr;
    ui::FileRequest dlgOpen;

    void rg2Click();
    void btn1Click();
};

} // namespace torvik::exchange
