// Export and import of a million-row item table: the command-line companion
// against the sqlite3 shell, and the editor's import through its dialog's
// text area on the offscreen platform, with its peak memory.

#include "bench/BenchSupport.h"
#include "dataset/DataSource.h"
#include "dataset/SqliteDB.h"
#include "dataset/SqliteTable.h"
#include "exchange/EditorTable.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/ImportGridsUnit.h"
#include "ui/ModalUi.h"
#include "ui/ProgressPane.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <string>

using namespace torvik;

namespace {

// A million rows; TORVIK_BENCH_ROWS sets fewer for a quick look.
int rowCount()
{
    const int rows = qEnvironmentVariableIntValue("TORVIK_BENCH_ROWS");
    return rows > 0 ? rows : 1000000;
}

// Runs a program to its end, its output into a file when given; answers
// the seconds it took.
double timed(const QString &program, const QStringList &args, const QString &outputFile = {})
{
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    bench::Stopwatch clock;
    process.start(program, args);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        throw std::runtime_error(program.toStdString() + " failed: " + process.readAllStandardError().toStdString());
    return clock.seconds();
}

void createEmptyItems(const std::string &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.c_str(), &db);
    bench::check(sqlite3_exec(db, bench::kStdItemsSchema, nullptr, nullptr, nullptr), db, "create");
    sqlite3_close(db);
}

long long peakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoll(line.substr(6)) * 1024;
    return 0;
}

// The import dialog answered as a game master answers it: the file chosen
// with its open button, then "开始导入数据库".
class BenchModalUi : public ui::ModalUi {
public:
    explicit BenchModalUi(QString file) : file_(std::move(file)) {}
    ui::MessageResult message(const ui::MessageRequest &request) override
    {
        throw std::runtime_error("unexpected message: " + request.text.toStdString());
    }
    QString openFile(const ui::FileRequest &) override { return file_; }
    QString saveFile(const ui::FileRequest &) override { return {}; }
    bool password(const ui::PasswordRequest &, QString &) override { return false; }
    bool newPassword(QString &) override { return false; }
    int dialog(QDialog &dialog) override
    {
        auto &form = dynamic_cast<exchange::TImportForm &>(dialog);
        form.show();
        bench::Stopwatch clock;
        form.btn1->click();
        loadSeconds = clock.seconds();
        QApplication::processEvents();
        form.btn2->click();
        return form.result();
    }
    double loadSeconds = 0;

private:
    QString file_;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string itemsPath = dir.filePath("items.db").toStdString();
    {
        bench::Stopwatch clock;
        sqlite3 *db = nullptr;
        sqlite3_open(itemsPath.c_str(), &db);
        bench::fillStdItems(db, rowCount());
        sqlite3_close(db);
        std::printf("  generated %d rows in %.2f s\n", rowCount(), clock.seconds());
    }
    const QString db = QString::fromStdString(itemsPath);
    const QString exported = dir.filePath("items.txt");
    const QString shellOut = dir.filePath("shell.txt");

    const double shellExport =
        timed("sqlite3", {"-separator", ";", db, "select * from StdItems"}, shellOut);
    const double cliExport = timed(TORVIK_DB_EXE, {"export", db, "StdItems", exported});
    const qint64 fileSize = QFileInfo(exported).size();
    std::printf("  export: sqlite3 %.2f s, torvik-db %.2f s (%lld bytes)\n", shellExport, cliExport,
                (long long)fileSize);
    bench::printRatio("cli_export_vs_sqlite3", cliExport / shellExport, 1.0);

    const std::string shellCopy = dir.filePath("shell.db").toStdString();
    const std::string cliCopy = dir.filePath("cli.db").toStdString();
    const std::string editorCopy = dir.filePath("editor.db").toStdString();
    for (const std::string &copy : {shellCopy, cliCopy, editorCopy})
        createEmptyItems(copy);
    const double shellImport = timed("sqlite3", {QString::fromStdString(shellCopy), ".mode csv", ".separator ;",
                                                 ".import " + exported + " StdItems"});
    const double cliImport = timed(TORVIK_DB_EXE, {"import", QString::fromStdString(cliCopy), "StdItems", exported});
    std::printf("  import: sqlite3 .import %.2f s, torvik-db %.2f s\n", shellImport, cliImport);
    bench::printRatio("cli_import_vs_sqlite3", cliImport / shellImport, 1.0);

    // The editor: the table of a window on the empty copy, the dialog, the import.
    QWidget owner;
    dataset::TSqliteDB connection(&owner);
    dataset::TSqliteTable table(&owner);
    dataset::TDataSource dataSource(&owner);
    ui::FileRequest dlgSave;
    ui::ProgressPane pane(&owner);
    exchange::setUpEditorConnection(connection);
    connection.setDatabase(QString::fromStdString(editorCopy));
    connection.Open();
    exchange::setUpEditorTable(table, connection);
    table.setTableName("StdItems");
    table.Open();
    dataSource.setDataSet(&table);
    BenchModalUi modal(exported);
    ui::installModalUi(&modal);
    const long long before = peakResidentBytes();
    bench::Stopwatch clock;
    exchange::ImportTable({&owner, &table, &dataSource, table.FieldCount(), {}, &dlgSave, &pane});
    const double editorImport = clock.seconds();
    ui::installModalUi(nullptr);
    const long long peak = peakResidentBytes();
    std::printf("  editor import: %.2f s (the dialog loaded the file in %.2f s), %d rows; peak resident %lld MB "
                "(%lld MB before)\n",
                editorImport, modal.loadSeconds, table.RecordCount(), peak >> 20, before >> 20);
    bench::printRatio("editor_import_vs_sqlite3", editorImport / shellImport, 2.0);
    bench::printRatio("editor_import_peak_memory_vs_file", double(peak) / double(fileSize), 3.0);
    bench::printRatio("import_dialog_load_seconds_vs_3s", modal.loadSeconds / 3.0, 1.0);
    return 0;
}
