#include "passwords/InputNewPassword.h"

#include "passwords/DialogUnits.h"
#include "passwords/PasswordDialogParts.h"
#include "passwords/TEditEx.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TypeText.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace torvik::passwords {
namespace {

class InputNewPasswordTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureGuiApplication(); }

    // Runs InputNewPassword on a value that already holds text, and lets the
    // action answer the dialog once it shows.
    bool runDialog(QString &password, std::function<void(TNewPasswordDialog &)> action)
    {
        password = QStringLiteral("stale");
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<TNewPasswordDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            acted = true;
            action(*dialog);
        });
        const bool result = InputNewPassword(password);
        EXPECT_TRUE(acted);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the dialog must be gone after it closed";
        return result;
    }

    static void typeBoth(TNewPasswordDialog &d, const QString &first, const QString &second)
    {
        test::typeText(d.firstEdit(), first);
        test::typeText(d.secondEdit(), second);
    }
};

TEST_F(InputNewPasswordTest, OkIsEnabledExactlyWhileBothEntriesAreEqualAndNotEmpty)
{
    TNewPasswordDialog d;
    EXPECT_FALSE(d.okButton()->isEnabled()) << "two empty entries";

    struct Step {
        int edit; // 0: first, 1: second
        std::function<void(QLineEdit *)> change;
        bool okEnabled;
        const char *what;
    };
    const auto type = [](const QString &text) { return [text](QLineEdit *e) { test::typeText(e, text); }; };
    const auto backspace = [](QLineEdit *e) { QTest::keyClick(e, Qt::Key_Backspace); };
    const auto clear = [](QLineEdit *e) { e->clear(); };
    const Step steps[] = {
        {0, type(QStringLiteral("abc")), false, "only the first holds text"},
        {1, type(QStringLiteral("ab")), false, "a prefix is not equal"},
        {1, type(QStringLiteral("c")), true, "equal"},
        {1, type(QStringLiteral("d")), false, "the second changed"},
        {1, backspace, true, "equal again"},
        {0, backspace, false, "the first changed"},
        {0, type(QStringLiteral("C")), false, "letter case counts"},
        {0, backspace, false, "ab against abc"},
        {0, type(QStringLiteral("c")), true, "equal again"},
        {0, clear, false, "the first emptied"},
        {1, clear, false, "both empty"},
        {0, type(QStringLiteral("密码12")), false, "Chinese in the first only"},
        {1, type(QStringLiteral("密码12")), true, "Chinese in both"},
    };
    for (const Step &step : steps) {
        step.change(step.edit == 0 ? d.firstEdit() : d.secondEdit());
        EXPECT_EQ(d.okButton()->isEnabled(), step.okEnabled) << step.what;
    }
}

TEST_F(InputNewPasswordTest, OkReturnsTheNewPasswordAndEnterPressesOkOnlyWhenItIsEnabled)
{
    QString password;
    EXPECT_TRUE(runDialog(password, [](TNewPasswordDialog &d) {
        typeBoth(d, QStringLiteral("新密码x"), QStringLiteral("新密码x"));
        d.okButton()->click();
    }));
    EXPECT_EQ(password, QStringLiteral("新密码x"));

    EXPECT_TRUE(runDialog(password, [](TNewPasswordDialog &d) {
        typeBoth(d, QStringLiteral("pw"), QStringLiteral("pw"));
        QTest::keyClick(d.secondEdit(), Qt::Key_Return);
    }));
    EXPECT_EQ(password, QStringLiteral("pw"));

    EXPECT_FALSE(runDialog(password, [](TNewPasswordDialog &d) {
        typeBoth(d, QStringLiteral("pw1"), QStringLiteral("pw2"));
        QTest::keyClick(d.secondEdit(), Qt::Key_Return);
        EXPECT_TRUE(d.isVisible()) << "Enter must not close the dialog while the entries differ";
        QTest::keyClick(d.secondEdit(), Qt::Key_Escape);
    }));
    EXPECT_EQ(password, QString());
}

TEST_F(InputNewPasswordTest, CancelEscCloseAndAnAcceptOnDifferentEntriesReturnFalseWithAnEmptyPassword)
{
    const std::function<void(TNewPasswordDialog &)> ways[] = {
        [](TNewPasswordDialog &d) { typeBoth(d, QStringLiteral("pw"), QStringLiteral("pw")); d.cancelButton()->click(); },
        [](TNewPasswordDialog &d) {
            typeBoth(d, QStringLiteral("pw"), QStringLiteral("pw"));
            QTest::keyClick(d.firstEdit(), Qt::Key_Escape);
        },
        [](TNewPasswordDialog &d) { typeBoth(d, QStringLiteral("pw"), QStringLiteral("pw")); d.close(); },
        // However the dialog was accepted, the entries are matched once more.
        [](TNewPasswordDialog &d) { typeBoth(d, QStringLiteral("pw"), QStringLiteral("px")); d.accept(); },
        [](TNewPasswordDialog &d) { d.accept(); },
    };
    for (const auto &way : ways) {
        QString password;
        EXPECT_FALSE(runDialog(password, way));
        EXPECT_EQ(password, QString());
    }
}

TEST_F(InputNewPasswordTest, EntriesEchoStarsHoldAtMost255AndRefuseWhatGbkCannotHold)
{
    TNewPasswordDialog d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("加密数据库"));
    EXPECT_EQ(d.firstLabel()->text(), QStringLiteral("输入新密码："));
    EXPECT_EQ(d.secondLabel()->text(), QStringLiteral("重复输入新密码："));
    EXPECT_EQ(d.okButton()->text(), QStringLiteral("确定"));
    EXPECT_TRUE(d.okButton()->isDefault());
    EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("取消"));
    EXPECT_EQ(d.firstEdit()->Partner(), d.secondEdit());
    EXPECT_EQ(d.secondEdit()->Partner(), d.firstEdit());
    EXPECT_EQ(d.firstEdit()->Button(), d.okButton());
    EXPECT_EQ(d.secondEdit()->Button(), d.okButton());

    for (TEditEx *edit : {d.firstEdit(), d.secondEdit()}) {
        EXPECT_EQ(edit->text(), QString());
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), int('*'));
        QTest::keyClicks(edit, QString(300, QLatin1Char('k')));
        EXPECT_EQ(edit->text().size(), kMaxPasswordLength);
        EXPECT_EQ(edit->displayText(), QString(kMaxPasswordLength, QLatin1Char('*')));
        edit->clear();
        test::typeText(edit, QStringLiteral("密\u0E01码")); // Thai has no GBK form
        EXPECT_EQ(edit->text(), QStringLiteral("密码"));
    }
    EXPECT_TRUE(d.okButton()->isEnabled());
}

TEST_F(InputNewPasswordTest, EntriesMatchAsGbkBytesSoATextGbkCannotHoldMatchesNothing)
{
    EXPECT_TRUE(SameNewPassword(QStringLiteral("密码"), QStringLiteral("密码")));
    EXPECT_FALSE(SameNewPassword(QString(), QString()));
    EXPECT_FALSE(SameNewPassword(QStringLiteral("a\u0E01"), QStringLiteral("a\u0E01")));
    EXPECT_FALSE(SameNewPassword(QStringLiteral("abc"), QStringLiteral("ABC")));
}

TEST_F(InputNewPasswordTest, LaysOutInDialogUnitsOfItsFont)
{
    const QFont previous = QApplication::font();
    for (int points : {9, 16}) {
        QFont font = previous;
        font.setPointSize(points);
        QApplication::setFont(font);
        TNewPasswordDialog d;
        const DialogUnits du(d.font());
        const QLabel *first = d.firstLabel();
        const QLabel *second = d.secondLabel();
        EXPECT_EQ(first->pos(), QPoint(du.h(8), du.v(8)));
        EXPECT_LE(first->width(), du.h(164));
        EXPECT_LE(second->width(), du.h(164));
        EXPECT_GT(second->width(), first->width()) << "the second label is the longer";
        EXPECT_LT(second->height(), 2 * QFontMetrics(second->font()).height()) << "a short label stays on one line";
        EXPECT_EQ(second->pos(), QPoint(first->x(), first->y() + first->height() + 15));
        const int editLeft = second->width() + 5;
        EXPECT_EQ(d.firstEdit()->geometry(),
                  QRect(first->x() + editLeft, first->y() - 4, du.h(164), d.firstEdit()->height()));
        EXPECT_EQ(d.secondEdit()->geometry(),
                  QRect(second->x() + editLeft, second->y() - 4, du.h(164), d.secondEdit()->height()));
        const int buttonTop = d.secondEdit()->y() + d.secondEdit()->height() + 15;
        EXPECT_EQ(d.okButton()->geometry(), QRect(du.h(65), buttonTop, du.h(50), du.v(14)));
        EXPECT_EQ(d.cancelButton()->geometry(), QRect(du.h(150), buttonTop, du.h(50), du.v(14)));
        EXPECT_EQ(d.size(), QSize(du.h(260), buttonTop + du.v(14) + 13));
    }
    QApplication::setFont(previous);
}

} // namespace
} // namespace torvik::passwords
