#include "tests/support/ScriptedModalUi.h"

#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

namespace torvik::test {

void ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no test may need a display
    static int argc = 1;
    static char name[] = "torvik-gui-test";
    static char *argv[] = {name, nullptr};
    static QApplication *app = new QApplication(argc, argv);
    (void)app;
}

ScriptedModalUi::ScriptedModalUi() : previous_(ui::installModalUi(this)) {}

ScriptedModalUi::~ScriptedModalUi()
{
    ui::installModalUi(previous_);
}

std::vector<ui::MessageRequest> ScriptedModalUi::messagesAsked() const
{
    std::vector<ui::MessageRequest> out;
    for (const Asked &a : asked_)
        if (a.kind == Asked::Message)
            out.push_back(a.message);
    return out;
}

ui::MessageResult ScriptedModalUi::message(const ui::MessageRequest &request)
{
    asked_.push_back({Asked::Message, request, {}, {}});
    if (messages_.empty()) {
        // An unscripted information box only needs OK; anything that asks a
        // question must be scripted by the test.
        EXPECT_EQ(request.buttons, ui::MessageButtons::Ok) << "unscripted question: " << request.text.toStdString();
        return ui::MessageResult::Ok;
    }
    const ui::MessageResult r = messages_.front();
    messages_.pop_front();
    return r;
}

QString ScriptedModalUi::nextFile(Asked::Kind kind, const ui::FileRequest &request)
{
    asked_.push_back({kind, {}, request, {}});
    if (files_.empty()) {
        ADD_FAILURE() << "unscripted file dialog: " << request.caption.toStdString();
        return {};
    }
    const QString r = files_.front();
    files_.pop_front();
    return r;
}

QString ScriptedModalUi::openFile(const ui::FileRequest &request)
{
    return nextFile(Asked::OpenFile, request);
}

QString ScriptedModalUi::saveFile(const ui::FileRequest &request)
{
    return nextFile(Asked::SaveFile, request);
}

bool ScriptedModalUi::password(const ui::PasswordRequest &request, QString &entered)
{
    asked_.push_back({Asked::Password, {}, {}, request});
    if (passwords_.empty()) {
        ADD_FAILURE() << "unscripted password prompt: " << request.prompt.toStdString();
        return false;
    }
    const auto [ok, text] = passwords_.front();
    passwords_.pop_front();
    if (ok)
        entered = text;
    return ok;
}

bool ScriptedModalUi::newPassword(QString &entered)
{
    asked_.push_back({Asked::NewPassword, {}, {}, {}});
    entered.clear();
    if (newPasswords_.empty()) {
        ADD_FAILURE() << "unscripted new-password dialog";
        return false;
    }
    const auto [ok, text] = newPasswords_.front();
    newPasswords_.pop_front();
    if (ok)
        entered = text;
    return ok;
}

int ScriptedModalUi::dialog(QDialog &dialog)
{
    asked_.push_back({Asked::Dialog, {}, {}, {}});
    if (dialogs_.empty()) {
        ADD_FAILURE() << "unscripted dialog: " << dialog.windowTitle().toStdString();
        return QDialog::Rejected;
    }
    const auto reply = std::move(dialogs_.front());
    dialogs_.pop_front();
    dialog.show();
    const int result = reply(dialog);
    dialog.hide();
    return result;
}

} // namespace torvik::test
