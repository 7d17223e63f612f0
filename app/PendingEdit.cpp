#include "app/PendingEdit.h"

#include "dataset/SqliteTable.h"
#include "dbwindow/DBCUnitWin.h"

namespace torvik::app {

void postPendingEdit(dbwindow::TFrmDBMain &window)
{
    // The grid hands over what is still in its cell editor before the post
    // (the data source's record writer), so a text typed and not yet entered
    // is posted too.
    if (window.Table->Active())
        window.Table->CheckBrowseMode();
}

} // namespace torvik::app
