#include "passwords/InputPassword.h"

#include "passwords/DialogUnits.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TypeText.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace torvik::passwords {
namespace {

using test::typeText;

class InputPasswordTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureGuiApplication(); }

    // Runs InputPassword and lets the action answer the dialog once it shows.
    bool runPrompt(QString &value, std::function<void(TPasswordDialog &)> action)
    {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<TPasswordDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            acted = true;
            action(*dialog);
        });
        const bool result = InputPassword(QStringLiteral("打开加密的数据库"), QStringLiteral("输入数据库密码:"), value);
        EXPECT_TRUE(acted);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the prompt must be gone after it closed";
        return result;
    }
};

TEST_F(InputPasswordTest, OkStoresTheTypedTextAndEmptyCountsToo)
{
    QString value = QStringLiteral("old");
    EXPECT_TRUE(runPrompt(value, [](TPasswordDialog &d) {
        d.passwordEdit()->clear();
        QTest::keyClicks(d.passwordEdit(), QStringLiteral("123456"));
        d.okButton()->click();
    }));
    EXPECT_EQ(value, QStringLiteral("123456"));

    EXPECT_TRUE(runPrompt(value, [](TPasswordDialog &d) {
        d.passwordEdit()->clear();
        QTest::keyClick(d.passwordEdit(), Qt::Key_Return); // Enter presses the default button
    }));
    EXPECT_EQ(value, QString());
}

TEST_F(InputPasswordTest, CancelEscAndCloseLeaveTheValueAsItWas)
{
    const std::function<void(TPasswordDialog &)> ways[] = {
        [](TPasswordDialog &d) { QTest::keyClicks(d.passwordEdit(), QStringLiteral("x")); d.cancelButton()->click(); },
        [](TPasswordDialog &d) { QTest::keyClicks(d.passwordEdit(), QStringLiteral("x")); QTest::keyClick(d.passwordEdit(), Qt::Key_Escape); },
        [](TPasswordDialog &d) { QTest::keyClicks(d.passwordEdit(), QStringLiteral("x")); d.close(); },
    };
    for (const auto &way : ways) {
        QString value = QStringLiteral("kept");
        EXPECT_FALSE(runPrompt(value, way));
        EXPECT_EQ(value, QStringLiteral("kept"));
    }
}

TEST_F(InputPasswordTest, EditStartsWithTheSelectedValueEchoesStarsAndHoldsAtMost255)
{
    TPasswordDialog d(QStringLiteral("打开加密的数据库"), QStringLiteral("输入数据库密码:"), QStringLiteral("abc"));
    QLineEdit *edit = d.passwordEdit();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("打开加密的数据库"));
    EXPECT_EQ(d.promptLabel()->text(), QStringLiteral("输入数据库密码:"));
    EXPECT_EQ(edit->text(), QStringLiteral("abc"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("abc"));
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), int('*'));
    EXPECT_EQ(edit->displayText(), QStringLiteral("***"));

    edit->clear();
    QTest::keyClicks(edit, QString(300, QLatin1Char('k')));
    EXPECT_EQ(edit->text().size(), kMaxPasswordLength);

    EXPECT_EQ(d.okButton()->text(), QStringLiteral("确定"));
    EXPECT_TRUE(d.okButton()->isDefault());
    EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("取消"));
}

TEST_F(InputPasswordTest, RefusesCharactersThatGbkCannotHold)
{
    TPasswordDialog d(QStringLiteral("c"), QStringLiteral("p"), QString());
    typeText(d.passwordEdit(), QStringLiteral("密码"));
    typeText(d.passwordEdit(), QStringLiteral("\u0E01")); // Thai: no GBK form
    EXPECT_EQ(d.passwordEdit()->text(), QStringLiteral("密码"));
}

TEST_F(InputPasswordTest, LaysOutInDialogUnitsOfItsFont)
{
    for (int points : {9, 16}) {
        QFont font = QApplication::font();
        font.setPointSize(points);
        const QFont previous = QApplication::font();
        QApplication::setFont(font);
        const QString longPrompt = QString(40, QChar(0x5BC6)); // wraps within 164 units
        for (const QString &prompt : {QStringLiteral("输入数据库密码:"), longPrompt}) {
            TPasswordDialog d(QStringLiteral("c"), prompt, QString());
            const DialogUnits du(d.font());
            const QLabel *label = d.promptLabel();
            const QLineEdit *edit = d.passwordEdit();
            EXPECT_EQ(label->pos(), QPoint(du.h(8), du.v(8)));
            EXPECT_LE(label->width(), du.h(164));
            EXPECT_EQ(edit->geometry(), QRect(label->x(), label->y() + label->height() + 5, du.h(164), edit->height()));
            const int buttonTop = edit->y() + edit->height() + 15;
            EXPECT_EQ(d.okButton()->geometry(), QRect(du.h(38), buttonTop, du.h(50), du.v(14)));
            EXPECT_EQ(d.cancelButton()->geometry(), QRect(du.h(92), buttonTop, du.h(50), du.v(14)));
            EXPECT_EQ(d.size(), QSize(du.h(180), buttonTop + du.v(14) + 13));
            if (prompt == longPrompt) {
                EXPECT_GT(label->height(), QFontMetrics(label->font()).height()) << "a long prompt wraps";
            } else {
                EXPECT_LT(label->height(), 2 * QFontMetrics(label->font()).height()) << "a short prompt stays on one line";
            }
        }
        QApplication::setFont(previous);
    }
}

} // namespace
} // namespace torvik::passwords
