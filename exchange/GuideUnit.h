#pragma once

// The export wizard: the type of file to write and, for a text file, the
// field separator and whether a title line comes first.

#include "exchange/ExportLayout.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace torvik::exchange {

class TRadioGroup;
class TSeparatorEdit;

class TGuideForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNarrowWidth = 223;
    static constexpr int kWideWidth = 375;

    explicit TGuideForm(QWidget *parent = nullptr);

    ExportType exportType() const;

    TRadioGroup *rg1 = nullptr;
    TRadioGroup *rg2 = nullptr;
    TSeparatorEdit *edt1 = nullptr;
    QCheckBox *chk1 = nullptr;
    QPushButton *btn1 = nullptr;
    QPushButton *btn2 = nullptr;

    void rg1Click();
    void rg2Click();
};

} // namespace torvik::exchange
