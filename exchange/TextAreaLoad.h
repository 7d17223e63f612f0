#pragma once

// Exported text loaded into the import dialog's text area.

#include <QString>

namespace torvik::exchange {

class TLinesEdit;

// Replaces the area's lines with the file's, without its title lines (first
// character ";"). The lines keep the file's bytes. A file that cannot be
// read, or holds a line that is not GBK text reading back as the same bytes,
// changes nothing and is reported in a message box owned by the area's
// window, naming the first bad line.
void loadExportedText(TLinesEdit &area, const QString &path);

} // namespace torvik::exchange
