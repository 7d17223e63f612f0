#pragma once

namespace torvik::codec {

// What a file opened through the codec VFS is to the engine; decides which
// key, if any, its pages are enciphered with.
enum class FileRole { MainDb, Journal, Wal, Other };

} // namespace torvik::codec
