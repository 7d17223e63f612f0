#include "app/DatabaseCommands.h"
#include "app/MainUnit.h"
#include "codec/CodecTestHooks.h"
#include "dataset/SqliteDB.h"
#include "dataset/SqliteTable.h"
#include "dbwindow/DBCUnitWin.h"
#include "dbwindow/DbGrid.h"
#include "tests/codec/CodecTestDb.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TypeText.h"
#include "text/Gbk.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

using dbwindow::TFrmDBMain;

const std::string kItemName = "select Name from StdItems where Idx=";

class DatabaseCommandsTest : public ::testing::Test {
protected:
    test::ScriptedModalUi dialogs;
    test::ScratchDir scratch;
    TMainForm form;

    void SetUp() override { form.show(); }
    void TearDown() override { codec::testhooks::clearAll(); }

    QList<QAction *> databaseCommands() const
    {
        return {form.ActFileExport, form.ActFileImport, form.ActEncryptedDatabase, form.ActDecryptDatabase};
    }

    // Opens the file in the editor, answering the password prompt when one is given.
    TFrmDBMain *open(const QString &path, const QString &password = {})
    {
        if (!password.isEmpty())
            dialogs.replyPassword(password);
        form.OpenDatabaseWindow(path);
        EXPECT_TRUE(dialogs.allRepliesUsed());
        return form.activeDatabaseWindow();
    }

    static void closeWindow(TFrmDBMain *window)
    {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // The grid's open in-place editor (a closed one lingers hidden until deleted).
    static QLineEdit *openEditor(const TFrmDBMain &window)
    {
        for (QLineEdit *editor : window.RzDBGrid1->findChildren<QLineEdit *>(QStringLiteral("InplaceEditor")))
            if (editor->isVisible())
                return editor;
        return nullptr;
    }

    // Opens the cell's in-place editor with F2 and types the text over its
    // content; the editor stays open.
    static void typeIntoCell(TFrmDBMain &window, int row, int column, const QString &text)
    {
        dbwindow::TDbGrid *grid = window.RzDBGrid1;
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(row, column));
        QTest::keyClick(grid, Qt::Key_F2);
        QLineEdit *editor = openEditor(window);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        test::typeText(editor, text);
    }

    // Types into the cell and leaves the row downwards, which posts it.
    static void editCell(TFrmDBMain &window, int row, int column, const QString &text)
    {
        typeIntoCell(window, row, column, text);
        QLineEdit *editor = openEditor(window);
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Down);
        ASSERT_EQ(window.Table->State(), dataset::TDataSetState::dsBrowse);
    }

    // One value read through a connection of its own, keyed with the password's GBK bytes.
    static std::string readValue(const QString &path, const QString &password, const std::string &sql,
                                 int *rc = nullptr)
    {
        test::TestDb db(path, text::toGbk(password));
        return db.single(sql, rc);
    }

    static std::string gbk(const QString &s) { return text::toGbk(s); }
};

TEST_F(DatabaseCommandsTest, CommandsFollowTheActiveDatabaseWindowAndDoNothingWithoutOne)
{
    for (QAction *command : databaseCommands()) {
        EXPECT_FALSE(command->isEnabled()) << command->objectName().toStdString();
        form.ActFileExecute(command);
    }
    EXPECT_TRUE(dialogs.asked().empty());

    auto *other = new QMdiSubWindow; // a child window that is not a database window
    other->setWidget(new QWidget);
    form.mdiArea()->addSubWindow(other);
    other->show();
    form.mdiArea()->setActiveSubWindow(other);
    for (QAction *command : databaseCommands()) {
        EXPECT_FALSE(command->isEnabled()) << command->objectName().toStdString();
        form.ActFileExecute(command);
    }
    EXPECT_TRUE(dialogs.asked().empty());

    const QString path = scratch.copyFixture(QStringLiteral("game-plain.db"));
    TFrmDBMain *window = open(path);
    ASSERT_NE(window, nullptr);
    for (QAction *command : databaseCommands())
        EXPECT_TRUE(command->isEnabled()) << command->objectName().toStdString();

    window->showMinimized();
    ASSERT_EQ(form.activeDatabaseWindow(), window);
    EXPECT_TRUE(form.ActFileExport->isEnabled());
    EXPECT_TRUE(form.ActFileImport->isEnabled());
    EXPECT_FALSE(form.ActEncryptedDatabase->isEnabled());
    EXPECT_FALSE(form.ActDecryptDatabase->isEnabled());

    window->showNormal();
    for (QAction *command : databaseCommands())
        EXPECT_TRUE(command->isEnabled()) << command->objectName().toStdString();

    // Only a command object carries a tag; tags past 3 are no command.
    form.ActFileExecute(nullptr);
    form.ActFileExecute(window);
    const std::string before = test::readFileBytes(path);
    for (int tag : {4, 200, 255})
        RunDatabaseCommand(*window, std::uint8_t(tag));
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(test::readFileBytes(path), before);
}

TEST_F(DatabaseCommandsTest, EncryptingKeepsThePendingEditAndLaterEditsAndTheNextOpeningAsksForThePassword)
{
    const QString path = scratch.copyFixture(QStringLiteral("game-plain.db"));
    const QString password = QStringLiteral("新密码7");
    TFrmDBMain *window = open(path);
    ASSERT_NE(window, nullptr);
    typeIntoCell(*window, 2, 1, QStringLiteral("压缩干粮")); // still in the cell editor

    dialogs.replyNewPassword(password);
    form.ActEncryptedDatabase->trigger();
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].kind, test::ScriptedModalUi::Asked::NewPassword);
    EXPECT_TRUE(dialogs.messagesAsked().empty()) << "success is silent";

    const std::string bytes = test::readFileBytes(path);
    EXPECT_NE(bytes.substr(0, 16), std::string("SQLite format 3\0", 16));
    EXPECT_EQ(bytes.find(gbk(QStringLiteral("压缩干粮"))), std::string::npos) << "no plaintext in the file";
    // Read back by the independent reading of the format: every page enciphered under the password's GBK bytes.
    const QString deciphered = test::writeDecipheredCopy(scratch, bytes, gbk(password));
    EXPECT_EQ(readValue(deciphered, {}, kItemName + "2"), gbk(QStringLiteral("压缩干粮")));

    editCell(*window, 3, 1, QStringLiteral("金创药"));
    closeWindow(window);

    dialogs.clear();
    window = open(path, password);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].kind, test::ScriptedModalUi::Asked::Password);
    EXPECT_EQ(window->RzDBGrid1->model()->index(2, 1).data().toString(), QStringLiteral("压缩干粮"));
    EXPECT_EQ(window->RzDBGrid1->model()->index(3, 1).data().toString(), QStringLiteral("金创药"));
    EXPECT_EQ(readValue(path, password, kItemName + "3"), gbk(QStringLiteral("金创药")));
}

TEST_F(DatabaseCommandsTest, EncryptingAnEncryptedDatabaseChangesItsPasswordAndTheOldOneNoLongerOpensIt)
{
    const QString path = scratch.copyFixture(QStringLiteral("game-encrypted-123456.db"));
    TFrmDBMain *window = open(path, QStringLiteral("123456"));
    ASSERT_NE(window, nullptr);
    dialogs.replyNewPassword(QStringLiteral("654321"));
    form.ActEncryptedDatabase->trigger();
    EXPECT_TRUE(dialogs.messagesAsked().empty());

    int rc = SQLITE_OK;
    readValue(path, QStringLiteral("123456"), "select count(*) from StdItems", &rc);
    EXPECT_EQ(rc, SQLITE_NOTADB);
    EXPECT_EQ(test::gameRowsOfFile(path, "654321"), test::gameRowsOfFile(test::fixturePath("game-plain.db")));

    editCell(*window, 2, 1, QStringLiteral("新名字"));
    EXPECT_EQ(readValue(path, QStringLiteral("654321"), kItemName + "2"), gbk(QStringLiteral("新名字")));
}

TEST_F(DatabaseCommandsTest, DecryptAsksFirstCancelLeavesTheFileAndOkGivesAFileTheSqliteShellReads)
{
    const QString path = scratch.copyFixture(QStringLiteral("game-encrypted-123456.db"));
    TFrmDBMain *window = open(path, QStringLiteral("123456"));
    ASSERT_NE(window, nullptr);
    const std::string before = test::readFileBytes(path);

    dialogs.replyMessage(ui::MessageResult::Cancel);
    form.ActDecryptDatabase->trigger();
    auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].owner, nullptr) << "the application's box";
    EXPECT_EQ(asked[0].caption, QStringLiteral("解密数据库"));
    EXPECT_EQ(asked[0].text, QStringLiteral("你确定解密已选择的数据库吗？"));
    EXPECT_EQ(asked[0].icon, ui::MessageIcon::Warning);
    EXPECT_EQ(asked[0].buttons, ui::MessageButtons::OkCancel);
    EXPECT_EQ(test::readFileBytes(path), before);

    dialogs.clear();
    dialogs.replyMessage(ui::MessageResult::Ok);
    form.ActDecryptDatabase->trigger();
    EXPECT_EQ(dialogs.messagesAsked().size(), 1u) << "only the question";

    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {path, QStringLiteral("select count(*) from StdItems; select count(*) from Magic;")});
    ASSERT_TRUE(shell.waitForFinished(10000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    EXPECT_EQ(shell.readAllStandardOutput(), QByteArray("25\n5\n"));
    EXPECT_EQ(test::gameRowsOfFile(path), test::gameRowsOfFile(test::fixturePath("game-plain.db")));

    editCell(*window, 2, 1, QStringLiteral("新名字"));
    EXPECT_EQ(readValue(path, {}, kItemName + "2"), gbk(QStringLiteral("新名字")));
}

TEST_F(DatabaseCommandsTest, DecryptingAPlainDatabaseChangesNothingAndSaysNothing)
{
    const QString path = scratch.copyFixture(QStringLiteral("game-plain.db"));
    ASSERT_NE(open(path), nullptr);
    const std::string before = test::readFileBytes(path);
    dialogs.replyMessage(ui::MessageResult::Ok);
    form.ActDecryptDatabase->trigger();
    EXPECT_EQ(dialogs.messagesAsked().size(), 1u) << "only the question";
    EXPECT_EQ(test::readFileBytes(path), before);
}

TEST_F(DatabaseCommandsTest, ARefusedReKeyIsShownAndTheFileAndTheWindowStayUnderTheOldKey)
{
    struct Case {
        const char *what;
        const char *file;
        const char *lock; // what the other connection holds
        bool encrypt;
        const char16_t *failure;
    };
    const Case cases[] = {
        {"encrypt while another connection reads", "read-lock.db", "BEGIN; SELECT count(*) FROM StdItems;", true, u"数据库加密失败："},
        {"decrypt while another connection writes", "write-lock.db", "BEGIN IMMEDIATE;", false, u"数据库解密失败："},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = scratch.copyFixture(QStringLiteral("game-encrypted-123456.db"), QString::fromLatin1(c.file));
        dialogs.clear();
        TFrmDBMain *window = open(path, QStringLiteral("123456"));
        ASSERT_NE(window, nullptr);
        window->SqliteDB1->setTimeOut(100); // the game server would not let go within the 5 s either
        const std::string before = test::readFileBytes(path);
        {
            test::TestDb server(path, "123456");
            ASSERT_EQ(server.exec(c.lock), SQLITE_OK) << server.errmsg();
            dialogs.clear();
            if (c.encrypt) {
                dialogs.replyNewPassword(QStringLiteral("other"));
                form.ActEncryptedDatabase->trigger();
            } else {
                dialogs.replyMessage(ui::MessageResult::Ok);
                form.ActDecryptDatabase->trigger();
            }
            const auto asked = dialogs.messagesAsked();
            ASSERT_FALSE(asked.empty());
            const ui::MessageRequest &box = asked.back();
            EXPECT_EQ(box.owner, window);
            EXPECT_EQ(box.caption, QStringLiteral("错误"));
            EXPECT_EQ(box.icon, ui::MessageIcon::Error);
            EXPECT_EQ(box.buttons, ui::MessageButtons::Ok);
            EXPECT_EQ(box.text, QString::fromUtf16(c.failure) + QStringLiteral("database is locked"));
            server.exec("ROLLBACK");
        }
        EXPECT_EQ(test::readFileBytes(path), before);

        editCell(*window, 2, 1, QStringLiteral("锁后"));
        EXPECT_EQ(readValue(path, QStringLiteral("123456"), kItemName + "2"), gbk(QStringLiteral("锁后")));
        closeWindow(window);
    }
}

TEST_F(DatabaseCommandsTest, TheFrameShowsAWaitCursorWhileTheFileIsRewritten)
{
    const QString path = scratch.copyFixture(QStringLiteral("game-plain.db"));
    ASSERT_NE(open(path), nullptr);
    int shapeDuring = -1;
    codec::testhooks::setRekeyCopyHook([&] {
        if (const QCursor *cursor = QGuiApplication::overrideCursor())
            shapeDuring = cursor->shape();
    });
    dialogs.replyNewPassword(QStringLiteral("pw"));
    form.ActEncryptedDatabase->trigger();
    EXPECT_EQ(shapeDuring, int(Qt::WaitCursor));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace torvik::app
