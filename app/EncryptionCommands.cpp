#include "app/EncryptionCommands.h"

#include "dataset/SqliteDB.h"
#include "dataset/UiHooks.h"
#include "dbwindow/DBCUnitWin.h"
#include "text/Gbk.h"
#include "ui/ModalUi.h"

#include <QPointer>

#include <string>

namespace torvik::app {

namespace {

// Rewrites every page of the window's database under password (empty: none).
// The edit pending in the grid goes to the file first, so what the user sees
// is what gets re-keyed. Success is silent; a refusal is shown, since the
// user would otherwise take the file for re-keyed, and the file and the
// connection stay under the old key.
void rekeyWindowDatabase(dbwindow::TFrmDBMain &window, const std::string &password, const QString &failurePrefix)
{
    window.PostPendingEdit();
    dataset::TSqliteDB &connection = *window.SqliteDB1;
    bool rekeyed = false;
    {
        // Rewriting a large file blocks the interface's thread for a while:
        // the wait cursor says so, and the frame is drawn once more first, so
        // the dialog just closed leaves no ghost on it meanwhile.
        const dataset::BusyCursor busy(true);
        window.window()->repaint();
        rekeyed = connection.Rekey(password);
    }
    if (rekeyed)
        return;
    ui::modalUi().message({&window, QStringLiteral("错误"), failurePrefix + text::fromGbk(connection.EngineMessage()),
                           ui::MessageIcon::Error, ui::MessageButtons::Ok});
}

} // namespace

void EncryptDatabase(dbwindow::TFrmDBMain &window)
{
    const QPointer<dbwindow::TFrmDBMain> alive(&window);
    QString password;
    if (!ui::modalUi().newPassword(password) || !alive)
        return;
    rekeyWindowDatabase(window, text::toGbk(password), QStringLiteral("数据库加密失败："));
}

void DecryptDatabase(dbwindow::TFrmDBMain &window)
{
    const QPointer<dbwindow::TFrmDBMain> alive(&window);
    const ui::MessageResult answer =
        ui::modalUi().message({nullptr, QStringLiteral("解密数据库"), QStringLiteral("你确定解密已选择的数据库吗？"),
                               ui::MessageIcon::Warning, ui::MessageButtons::OkCancel});
    if (answer != ui::MessageResult::Ok || !alive)
        return;
    rekeyWindowDatabase(window, std::string(), QStringLiteral("数据库解密失败："));
}

} // namespace torvik::app
