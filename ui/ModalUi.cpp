#include "ui/ModalUi.h"

#include <QDialog>

#include <stdexcept>

namespace torvik::ui {

namespace {
ModalUi *installed = nullptr;
}

int ModalUi::dialog(QDialog &dialog)
{
    return dialog.exec();
}

ModalUi &modalUi()
{
    if (!installed)
        throw std::logic_error("no modal dialog interface is installed");
    return *installed;
}

ModalUi *installModalUi(ModalUi *ui)
{
    ModalUi *previous = installed;
    installed = ui;
    return previous;
}

} // namespace torvik::ui
