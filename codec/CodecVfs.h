#pragma once

namespace torvik::codec {

// Makes the page-codec VFS the process's default, layered over the
// platform's. Idempotent and cheap after the first call; must run before the
// first database is opened, so every connection goes through it.
void installCodecVfs();

} // namespace torvik::codec
