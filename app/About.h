#pragma once

// The about box, created once at start-up and shown modally on request.

#include <QDialog>

namespace torvik::app {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
};

// The one about box; null until start-up has created it.
extern TAboutBox *AboutBox;

} // namespace torvik::app
