#pragma once

// Errors about a file the user chose, raised as the dataset layer's database
// error so that the editor's error box and the command line show them like
// every other failure.

#include <QString>

namespace torvik::exchange {

// Throws dataset::EDatabaseError "<what>“<path>”：<reason>" in GBK; a path
// GBK cannot spell is left out rather than garbled.
[[noreturn]] void throwFileError(const QString &what, const QString &path, const QString &reason);

} // namespace torvik::exchange
