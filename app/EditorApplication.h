#pragma once

// The editor's QApplication. Its notify() is the general error handler for
// event handlers: an exception that escapes one is shown as its message text
// and the event counts as handled.

#include <QApplication>

namespace torvik::app {

class TEditorApplication : public QApplication {
    Q_OBJECT
public:
    TEditorApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace torvik::app
