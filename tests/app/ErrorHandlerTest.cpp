#include "dataset/Errors.h"
#include "dataset/UiHooks.h"
#include "tests/support/ScriptedModalUi.h"
#include "text/Gbk.h"
#include "ui/DatasetHooks.h"
#include "ui/ErrorReport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

#include <stdexcept>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

// An object whose event handler fails the way a command handler can.
class FailingReceiver : public QObject {
public:
    std::exception_ptr toThrow;
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            std::rethrow_exception(toThrow);
        return QObject::event(e);
    }
};

class ErrorHandlerTest : public ::testing::Test {
protected:
    test::ScriptedModalUi dialogs;

    void expectOneErrorBox(const QString &text)
    {
        const auto asked = dialogs.messagesAsked();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].text, text);
        EXPECT_EQ(asked[0].caption, QCoreApplication::applicationName());
        EXPECT_EQ(asked[0].icon, ui::MessageIcon::Error);
        EXPECT_EQ(asked[0].buttons, ui::MessageButtons::Ok);
    }
};

TEST_F(ErrorHandlerTest, AnExceptionEscapingAnEventHandlerIsShownAsItsDecodedMessage)
{
    FailingReceiver receiver;
    const QString engineText = QStringLiteral("no such table: 怪物\r\nSQL语句:select * from 怪物");
    receiver.toThrow = std::make_exception_ptr(dataset::EDatabaseError(text::toGbk(engineText)));
    QEvent event(QEvent::User);
    EXPECT_TRUE(QCoreApplication::sendEvent(&receiver, &event));
    expectOneErrorBox(engineText);
}

TEST_F(ErrorHandlerTest, PostedEventsAndOtherExceptionKindsReachTheSameHandler)
{
    FailingReceiver receiver;
    receiver.toThrow = std::make_exception_ptr(std::runtime_error("磁盘已满"));
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    expectOneErrorBox(QStringLiteral("磁盘已满"));
}

TEST_F(ErrorHandlerTest, AGuardedSlotReportsAndTheSignalGoesOnToTheNextSlot)
{
    QObject sender;
    bool laterSlotRan = false;
    QObject::connect(&sender, &QObject::objectNameChanged, &sender,
                     ui::guarded([] { throw dataset::ESqliteError(text::toGbk(QStringLiteral("未设置数据库"))); }));
    QObject::connect(&sender, &QObject::objectNameChanged, &sender, [&] { laterSlotRan = true; });
    sender.setObjectName(QStringLiteral("x"));
    EXPECT_TRUE(laterSlotRan);
    expectOneErrorBox(QStringLiteral("未设置数据库"));
}

TEST_F(ErrorHandlerTest, GuardedMembersTakeTheSignalsArguments)
{
    struct Target {
        int got = -1;
        void take(int v)
        {
            got = v;
            if (v < 0)
                throw std::runtime_error("negative");
        }
    } target;
    auto slot = ui::guarded(&target, &Target::take);
    slot(7);
    EXPECT_EQ(target.got, 7);
    EXPECT_TRUE(dialogs.messagesAsked().empty());
    slot(-1);
    expectOneErrorBox(QStringLiteral("negative"));
}

TEST_F(ErrorHandlerTest, DatasetHooksShowMessagesAndReportErrorsThroughTheSeam)
{
    ui::installDatasetHooks();
    dataset::showMessage(text::toGbk(QStringLiteral("物品 not found")));
    auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("物品 not found"));
    EXPECT_EQ(asked[0].buttons, ui::MessageButtons::Ok);

    dialogs.clear();
    dataset::reportError(std::make_exception_ptr(dataset::EDatabaseError(text::toGbk(QStringLiteral("字段错误")))));
    expectOneErrorBox(QStringLiteral("字段错误"));
}

} // namespace
} // namespace torvik::app
