#include "app/DatabaseCommands.h"

#include "app/EncryptionCommands.h"
#include "app/ExchangeWindowOf.h"
#include "app/MainUnit.h"
#include "dbwindow/DBCUnitWin.h"

#include <QAction>

namespace torvik::app {

void RunDatabaseCommand(dbwindow::TFrmDBMain &window, std::uint8_t tag)
{
    switch (tag) {
    case 0: exchange::ExportTable(exchangeWindowOf(window)); break;
    case 1: exchange::ImportTable(exchangeWindowOf(window)); break;
    case 2: EncryptDatabase(window); break;
    case 3: DecryptDatabase(window); break;
    default: break;
    }
}

void TMainForm::ActFileImportUpdate()
{
    const dbwindow::TFrmDBMain *window = activeDatabaseWindow();
    ActFileExport->setEnabled(window != nullptr);
    ActFileImport->setEnabled(window != nullptr);
    // Re-keying a window the user cannot see is refused.
    const bool rekeyable = window && !window->isMinimized();
    ActEncryptedDatabase->setEnabled(rekeyable);
    ActDecryptDatabase->setEnabled(rekeyable);
}

void TMainForm::ActFileExecute(QObject *Sender)
{
    const auto *command = qobject_cast<const QAction *>(Sender);
    dbwindow::TFrmDBMain *window = activeDatabaseWindow();
    if (!command || !window)
        return;
    RunDatabaseCommand(*window, std::uint8_t(command->data().toInt()));
}

} // namespace torvik::app
