// A partial name search in the database window on a million-row item table
// that matches a tenth of it, from the search button to the reopened
// dataset, against a plain engine loop that prepares the same SELECT with
// the same "Pos" function and reads every column of each matching row as
// text.

#include "bench/BenchSupport.h"
#include "codec/CodecVfs.h"
#include "dataset/SqliteTable.h"
#include "dbwindow/DBCUnitWin.h"
#include "dataset/PosFunction.h"
#include "text/Gbk.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace torvik;

namespace {

constexpr int kRows = 1000000;
const QString kFragment = QStringLiteral("裁决");

double baselineSearch(const std::string &path, const std::string &sql, int &matched)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.c_str(), &db);
    bench::Stopwatch clock;
    sqlite3_create_function(db, "Pos", 2, SQLITE_UTF8, nullptr, &dataset::PosFunction, nullptr, nullptr);
    sqlite3_stmt *stmt = nullptr;
    bench::check(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), db, "prepare");
    size_t bytes = 0;
    matched = bench::readEveryColumnAsText(stmt, bytes);
    sqlite3_finalize(stmt);
    const double seconds = clock.seconds();
    sqlite3_close(db);
    std::printf("  (baseline read checksum %zu)\n", bytes);
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    codec::installCodecVfs(); // as the editor runs: every file goes through the codec's VFS

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("items.db");
    const std::string file = path.toStdString();
    bench::writeItemsFile(file, kRows, [](sqlite3 *db) {
        // Every tenth item gets a name with the fragment.
        const std::string rename = "update StdItems set Name='" + text::toGbk(kFragment) + "'||Idx where Idx%10=3";
        bench::check(sqlite3_exec(db, rename.c_str(), nullptr, nullptr, nullptr), db, "rename");
    });

    QMdiArea frame;
    frame.resize(1000, 700);
    frame.show();
    auto *window = new dbwindow::TFrmDBMain;
    window->setWindowTitle(path);
    frame.addSubWindow(window);
    window->show();
    window->OpenDatabase(path);
    window->RzEdit1->setText(kFragment);

    // Each side five times, in turns, keeping its best; every search starts
    // from the whole table, as after opening the file.
    double plain = 1e9;
    double ours = 1e9;
    int plainMatched = 0;
    int oursMatched = 0;
    std::string sql;
    for (int round = 0; round < 5; ++round) {
        bench::Stopwatch clock;
        window->RzButton1->click();
        ours = std::min(ours, clock.seconds());
        oursMatched = window->Table->RecordCount();
        sql = window->Table->LastTableSQL();
        plain = std::min(plain, baselineSearch(file, sql, plainMatched));

        window->Table->setFilter({}); // back to all rows, untimed
        window->Table->Open();
    }
    std::printf("search: %d of %d rows match, plain loop %.3f s, window %.3f s (%d rows cached; best of 5)\n",
                plainMatched, kRows, plain, ours, oursMatched);
    if (oursMatched != plainMatched || oursMatched != kRows / 10) {
        std::printf("search found %d rows, the plain loop %d\n", oursMatched, plainMatched);
        return 1;
    }
    bench::printRatio("search_time", ours / plain, 1.0);
    delete window;
    return 0;
}
