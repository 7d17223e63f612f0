#include "tests/dbwindow/DbWindowTestSupport.h"

#include "codec/CodecVfs.h"
#include "dataset/SqliteTable.h"
#include "dbwindow/GameVocabulary.h"
#include "text/Gbk.h"
#include "ui/DatasetHooks.h"

#include "dbwindow/DbGrid.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QTabBar>
#include <QTabWidget>

#include <sqlite3.h>

#include <stdexcept>

namespace torvik::dbwindow::testing {

DbWindowTest::DbWindowTest()
{
    codec::installCodecVfs();
    ui::installDatasetHooks();
    frame.resize(1000, 700);
    frame.show();
}

DbWindowTest::~DbWindowTest()
{
    delete window.data();
    processDeferredDeletes();
}

TFrmDBMain *DbWindowTest::openWindow(const QString &path)
{
    window = new TFrmDBMain;
    window->setWindowTitle(path);
    frame.addSubWindow(window);
    window->show();
    window->OpenDatabase(path);
    return window;
}

void DbWindowTest::processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QStringList DbWindowTest::titles(const TFrmDBMain &w) const
{
    QStringList out;
    const QAbstractItemModel *model = w.RzDBGrid1->model();
    for (int c = 0; c < model->columnCount(); ++c)
        out << model->headerData(c, Qt::Horizontal).toString();
    return out;
}

QStringList DbWindowTest::fieldNames(const TFrmDBMain &w) const
{
    QStringList out;
    for (int i = 0; i < w.Table->FieldCount(); ++i)
        out << text::fromGbk(w.Table->Fields()[i]->FieldName());
    return out;
}

void DbWindowTest::choosePage(TFrmDBMain &w, int page)
{
    w.RzPageControl1->tabBar()->setCurrentIndex(page);
}

QString makeDatabase(const test::ScratchDir &dir, const QString &name, const QString &sql)
{
    const QString path = dir.path(name);
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path.toStdString());
    char *error = nullptr;
    const int rc = sqlite3_exec(db, text::toGbk(sql).c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot fill " + path.toStdString() + ": " + message);
    return path;
}

std::string readBack(const QString &path, const std::string &sql)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path.toStdString());
    sqlite3_stmt *st = nullptr;
    std::string value = "<no row>";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
        const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
        value = bytes ? std::string(bytes, size_t(sqlite3_column_bytes(st, 0))) : "<null>";
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return value;
}

QStringList pageLabels(int page)
{
    QStringList out;
    for (const char16_t *label : columnLabelsOfPage(page))
        out << QString::fromUtf16(label);
    return out;
}

} // namespace torvik::dbwindow::testing
