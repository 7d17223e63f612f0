#pragma once

// The real modal seam: Qt message boxes and file dialogs, and the editor's own
// password dialogs.

#include "ui/ModalUi.h"

namespace torvik::app {

class QtModalUi : public ui::ModalUi {
public:
    ui::MessageResult message(const ui::MessageRequest &request) override;
    QString openFile(const ui::FileRequest &request) override;
    QString saveFile(const ui::FileRequest &request) override;
    bool password(const ui::PasswordRequest &request, QString &entered) override;
    bool newPassword(QString &entered) override;
};

} // namespace torvik::app
