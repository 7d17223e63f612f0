#include "exchange/ExchangeCommands.h"

#include "dataset/DataSource.h"
#include "dataset/SqliteTable.h"
#include "exchange/GuideUnit.h"
#include "exchange/ImportGridsUnit.h"
#include "exchange/LinesEdit.h"
#include "exchange/ParadoxTable.h"
#include "exchange/RadioGroup.h"
#include "exchange/SeparatorEdit.h"
#include "exchange/TableExport.h"
#include "exchange/TableImport.h"
#include "ui/ModalUi.h"
#include "ui/ProgressPane.h"

#include <QCheckBox>
#include <QCoreApplication>

#include <memory>
#include <optional>

namespace torvik::exchange {

namespace {

// The main window's progress pane, when there is one.
class PaneProgress : public ExchangeProgress {
public:
    explicit PaneProgress(ui::ProgressPane *pane) : pane_(pane) {}
    void start() override
    {
        if (pane_) {
            pane_->setPartsComplete(0);
            pane_->show();
        }
    }
    void setTotal(int total) override
    {
        if (pane_)
            pane_->setTotalParts(total);
    }
    void step() override
    {
        if (pane_)
            pane_->stepIt();
    }
    void finish() override
    {
        if (pane_)
            pane_->hide();
    }

private:
    QPointer<ui::ProgressPane> pane_;
};

// The grid does not follow the table while rows are walked or added; it
// shows the table again however the operation ends. Detaching also empties
// its row selection.
class GridDetached {
public:
    GridDetached(dataset::TDataSource *source, dataset::TDataSet *table) : source_(source), table_(table)
    {
        source_->setDataSet(nullptr);
    }
    ~GridDetached()
    {
        if (source_ && table_)
            source_->setDataSet(table_);
    }
    GridDetached(const GridDetached &) = delete;
    GridDetached &operator=(const GridDetached &) = delete;

private:
    QPointer<dataset::TDataSource> source_;
    QPointer<dataset::TDataSet> table_;
};

void emptySeparator(QWidget *owner)
{
    ui::modalUi().message({owner, QStringLiteral("错误"), QStringLiteral("分隔符不能为空！！！"), ui::MessageIcon::Error,
                           ui::MessageButtons::Ok});
}

// Pending repaints go through while a Paradox table is read; input waits, so
// the window cannot be closed under the import.
void letPaintsThrough()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

void ExportTable(const ExchangeWindow &window)
{
    dataset::TSqliteTable *table = window.table;
    if (window.gridFieldColumns == 0 || !table || !table->Active())
        return;

    std::optional<std::vector<int32_t>> selected;
    if (!window.selectedRows.empty()) {
        const ui::MessageResult answer =
            ui::modalUi().message({nullptr, QStringLiteral("确认"), QStringLiteral("你要导出表中选中的数据吗？"),
                                   ui::MessageIcon::Warning, ui::MessageButtons::YesNoCancel});
        if (answer == ui::MessageResult::Cancel)
            return;
        if (answer == ui::MessageResult::Yes)
            selected = window.selectedRows;
    }

    ExportOptions options;
    {
        TGuideForm guide(window.owner);
        if (ui::modalUi().dialog(guide) != QDialog::Accepted)
            return;
        options.type = guide.exportType();
        // XML and HTML take neither a separator nor a title line.
        options.separator = ' ';
        if (options.type == ExportType::Text) {
            const std::optional<char> separator = chosenSeparator(guide.rg2->ItemIndex(), *guide.edt1);
            if (!separator) {
                emptySeparator(window.owner);
                return;
            }
            options.separator = *separator;
            options.titles = guide.chk1->isChecked();
        }
    }

    ui::FileRequest &dialog = *window.saveDialog;
    dialog.owner = window.owner;
    dialog.filter = exportFileFilter(options.type);
    const QString chosen = ui::modalUi().saveFile(dialog);
    if (chosen.isEmpty())
        return;

    const GridDetached detached(window.dataSource, table);
    PaneProgress progress(window.progress);
    exportTable(*table, table->TableName(), options, selected ? &*selected : nullptr,
                exportFileName(chosen, options.type), progress);
}

void ImportTable(const ExchangeWindow &window)
{
    dataset::TSqliteTable *table = window.table;
    if (window.gridFieldColumns == 0 || !window.dataSource || !window.dataSource->DataSet()
        || !window.dataSource->DataSet()->Active() || !table)
        return;

    auto form = std::make_unique<TImportForm>(window.owner);
    if (ui::modalUi().dialog(*form) != QDialog::Accepted)
        return;

    const int item = form->rg2->ItemIndex();
    std::optional<char> separator;
    std::unique_ptr<ParadoxTable> paradox;
    if (item == TImportForm::kQ7Item) {
        // Opened before anything changes: a file that cannot be read ends the import here.
        paradox = std::make_unique<ParadoxTable>(form->mmo1->toPlainText().trimmed());
    } else {
        separator = chosenSeparator(item, *form->edt1);
        if (!separator) {
            emptySeparator(window.owner);
            return;
        }
    }

    dataset::TSqliteDB &connection = *table->Connection();
    ImportOutcome outcome;
    {
        const GridDetached detached(window.dataSource, table);
        PaneProgress progress(window.progress);
        outcome = inExclusiveImport(connection, progress, [&] {
            if (paradox)
                return importParadoxRows(*table, *paradox, progress, letPaintsThrough);
            return importTextRows(*table, form->mmo1->lines(), *separator, progress);
        });
    }
    // The lines go before the table is read again: a large import would
    // otherwise hold both at once.
    form.reset();
    table->Refresh();
    table->setRecNo(outcome.lastRecNo);
}

} // namespace torvik::exchange
