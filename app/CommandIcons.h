#pragma once

// The commands' pictures. Standard commands take the desktop theme's icon of
// the freedesktop name and fall back to the bundled Tango picture; the others
// are composed from theme pictures and simple drawn glyphs, so they follow
// the desktop's style where it can and still say what the command does.

#include <QIcon>

namespace torvik::app {

enum class CommandIcon {
    Open,
    Close,
    Exit,
    Export,
    Import,
    Encrypt,
    Decrypt,
    Cut,
    Copy,
    Paste,
    Cascade,
    TileHorizontally,
    TileVertically,
    MinimizeAll,
    ArrangeIcons,
    About,
};

QIcon commandIcon(CommandIcon which);

} // namespace torvik::app
