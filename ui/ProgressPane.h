#pragma once

// The main window's progress pane: hidden until a long operation (export,
// import) shows it, then holds a number of total parts and of parts complete
// and shows the percentage complete.

#include <QProgressBar>
#include <QPointer>

namespace torvik::ui {

class ProgressPane : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressPane(QWidget *parent = nullptr);

    void setTotalParts(int total);
    int totalParts() const { return maximum(); }
    void setPartsComplete(int done);
    int partsComplete() const { return value(); }
    void stepIt(); // one more part complete
    int percentComplete() const;
};

// The pane of the main window, for the operations that report progress; null
// while no main window exists.
ProgressPane *mainProgressPane();
void setMainProgressPane(ProgressPane *pane);

} // namespace torvik::ui
