#include "app/PendingEdit.h"

#include "dataset/SqliteTable.h"
#include "dbwindow/DBCUnitWin.h"
#include "dbwindow/DbGrid.h"

#include <QAbstractItemDelegate>

namespace torvik::app {

void postPendingEdit(dbwindow::TFrmDBMain &window)
{
    dbwindow::TDbGrid &grid = *window.RzDBGrid1;
    // What the delegate itself signals when its editor loses the focus. A
    // closed editor lingers hidden until it is deleted.
    for (QWidget *editor : grid.findChildren<QWidget *>(QStringLiteral("InplaceEditor"))) {
        if (!editor->isVisible())
            continue;
        QAbstractItemDelegate *delegate = grid.itemDelegate();
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    if (window.Table->Active())
        window.Table->CheckBrowseMode();
}

} // namespace torvik::app
