#include "app/EditorApplication.h"

#include "app/ProgramIcon.h"
#include "ui/ErrorReport.h"

namespace torvik::app {

// Every window without an icon of its own, the database windows among them,
// shows the program's icon rather than Qt's.
TEditorApplication::TEditorApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setWindowIcon(programIcon());
}

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
