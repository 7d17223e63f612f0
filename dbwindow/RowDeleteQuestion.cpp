#include "dbwindow/RowDeleteQuestion.h"

#include "ui/ModalUi.h"

namespace torvik::dbwindow {

bool confirmRowDelete(QWidget *owner)
{
    return ui::modalUi().message({owner, QStringLiteral("确认"), QStringLiteral("删除记录吗？"), ui::MessageIcon::Question,
                                  ui::MessageButtons::OkCancel}) == ui::MessageResult::Ok;
}

} // namespace torvik::dbwindow
