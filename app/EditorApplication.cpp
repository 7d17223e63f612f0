#include "app/EditorApplication.h"

#include "ui/ErrorReport.h"

namespace torvik::app {

TEditorApplication::TEditorApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TEditorApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ui::showException(std::current_exception());
        return true;
    }
}

} // namespace torvik::app
