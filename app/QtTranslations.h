#pragma once

// Qt's own texts (dialog buttons, file dialogs, standard messages) in Chinese,
// to match the rest of the program.

#include <QLibraryInfo>
#include <QString>

class QTranslator;

namespace torvik::app {

// Loads Qt's Chinese catalogue from `directory` into `translator` and installs
// it. A missing or unreadable catalogue leaves Qt's English texts in place and
// returns false; the program runs on either way. The translator uninstalls
// itself when destroyed.
bool installQtTranslations(QTranslator &translator,
                           const QString &directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

} // namespace torvik::app
