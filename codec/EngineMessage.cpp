#include "codec/EngineMessage.h"

#include "codec/CodecFile.h"

#include <cstring>

namespace torvik::codec {

int refuse(CodecFile *main, int code, const char *message)
{
    main->refusalCode = code;
    main->refusalMessage = message;
    return code;
}

const char *engineErrorMessage(sqlite3 *db)
{
    const int code = sqlite3_errcode(db);
    const char *message = sqlite3_errmsg(db);
    // A request the codec refused reaches the connection with the engine's
    // generic text for its code; the codec's reason is the better one.
    if (code != SQLITE_OK) {
        const CodecFile *main = mainCodecFile(db);
        if (main && main->refusalCode == code && !main->refusalMessage.empty())
            return main->refusalMessage.c_str();
    }
    if (code == SQLITE_NOTADB && message && std::strcmp(message, sqlite3_errstr(SQLITE_NOTADB)) == 0)
        return "file is encrypted or is not a database";
    return message;
}

} // namespace torvik::codec
