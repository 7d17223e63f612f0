#include "app/ExchangeWindowOf.h"

#include "dbwindow/DBCUnitWin.h"
#include "dbwindow/DbGrid.h"
#include "ui/ProgressPane.h"

#include <QAbstractItemModel>

namespace torvik::app {

exchange::ExchangeWindow exchangeWindowOf(dbwindow::TFrmDBMain &window)
{
    const QAbstractItemModel *model = window.RzDBGrid1->model();
    return {&window,
            window.Table,
            window.DataSource,
            model ? model->columnCount() : 0,
            window.RzDBGrid1->SelectedRows(),
            &window.dlgSave,
            ui::mainProgressPane()};
}

} // namespace torvik::app
