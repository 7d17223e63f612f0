#pragma once

// The tests' modal seam: answers every dialog from a queue of scripted
// replies and records what was asked. A dialog that has no reply queued fails
// the test instead of waiting for a human.

#include "ui/ModalUi.h"

#include <deque>
#include <functional>
#include <vector>

namespace torvik::test {

// Window tests need one QApplication for the whole process. Creates a plain
// one unless the test's own main() has created one already; it lives until
// the process ends.
void ensureGuiApplication();

class ScriptedModalUi : public ui::ModalUi {
public:
    struct Asked {
        enum Kind { Message, OpenFile, SaveFile, Password, NewPassword, Dialog } kind;
        ui::MessageRequest message; // for Message
        ui::FileRequest file;       // for OpenFile / SaveFile
        ui::PasswordRequest password;
    };

    ScriptedModalUi();  // installs itself
    ~ScriptedModalUi() override; // puts back what was installed before

    void replyMessage(ui::MessageResult r) { messages_.push_back(r); }
    void replyFile(const QString &path) { files_.push_back(path); } // empty = cancel
    void replyPassword(const QString &text) { passwords_.push_back({true, text}); }
    void cancelPassword() { passwords_.push_back({false, {}}); }
    // The new-password dialog confirmed with text, or cancelled.
    void replyNewPassword(const QString &text) { newPasswords_.push_back({true, text}); }
    void cancelNewPassword() { newPasswords_.push_back({false, {}}); }
    // A dialog built by the code under test: the reply works its shown
    // widgets (QTest clicks and keys) and answers the dialog's result.
    void replyDialog(std::function<int(QDialog &)> reply) { dialogs_.push_back(std::move(reply)); }

    const std::vector<Asked> &asked() const { return asked_; }
    std::vector<ui::MessageRequest> messagesAsked() const;
    void clear() { asked_.clear(); }
    bool allRepliesUsed() const
    {
        return messages_.empty() && files_.empty() && passwords_.empty() && newPasswords_.empty() && dialogs_.empty();
    }

    ui::MessageResult message(const ui::MessageRequest &request) override;
    QString openFile(const ui::FileRequest &request) override;
    QString saveFile(const ui::FileRequest &request) override;
    bool password(const ui::PasswordRequest &request, QString &entered) override;
    bool newPassword(QString &entered) override;
    int dialog(QDialog &dialog) override;

private:
    QString nextFile(Asked::Kind kind, const ui::FileRequest &request);

    std::deque<ui::MessageResult> messages_;
    std::deque<QString> files_;
    std::deque<std::pair<bool, QString>> passwords_;
    std::deque<std::pair<bool, QString>> newPasswords_;
    std::deque<std::function<int(QDialog &)>> dialogs_;
    std::vector<Asked> asked_;
    ui::ModalUi *previous_ = nullptr;
};

} // namespace torvik::test
