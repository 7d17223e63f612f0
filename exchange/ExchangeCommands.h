#pragma once

// The export and import commands on the table a database window shows. The
// window hands over what they use of it, so that this layer, below the
// database window, never reaches into it.

#include <QPointer>

#include <cstdint>
#include <vector>

class QWidget;

namespace torvik::dataset {
class TDataSource;
class TSqliteTable;
} // namespace torvik::dataset

namespace torvik::ui {
struct FileRequest;
class ProgressPane;
} // namespace torvik::ui

namespace torvik::exchange {

struct ExchangeWindow {
    QWidget *owner = nullptr;                    // the window: owner of its message boxes and dialogs
    dataset::TSqliteTable *table = nullptr;      // the table it shows (Table)
    dataset::TDataSource *dataSource = nullptr;  // what links its grid to the table (DataSource)
    int gridFieldColumns = 0;                    // the field columns its grid shows
    std::vector<int32_t> selectedRows;           // the grid's selected rows, bookmarks ascending
    ui::FileRequest *saveDialog = nullptr;       // its save dialog (dlgSave)
    ui::ProgressPane *progress = nullptr;        // the main window's progress pane (Bar); may be none
};

// Writes the rows of the window's table, or its selected rows, to a file of
// the user's choosing, as the wizard's choices say.
void ExportTable(const ExchangeWindow &window);

// Adds rows to the window's table from delimited text or a Paradox table.
void ImportTable(const ExchangeWindow &window);

} // namespace torvik::exchange
