#include "ui/DatasetHooks.h"

#include "dataset/UiHooks.h"
#include "text/Gbk.h"
#include "ui/ErrorReport.h"
#include "ui/ModalUi.h"

#include <QApplication>
#include <QCursor>

namespace torvik::ui {

void installDatasetHooks()
{
    dataset::setMessageHandler([](const std::string &gbkText) {
        modalUi().message({nullptr, QCoreApplication::applicationName(), text::fromGbk(gbkText), MessageIcon::None,
                           MessageButtons::Ok});
    });
    dataset::setErrorReporter([](std::exception_ptr error) { showException(error); });
    dataset::setBusyCursorHandler([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}

} // namespace torvik::ui
