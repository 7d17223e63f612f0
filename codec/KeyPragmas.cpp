// The pragmas of the codec interface: "key" and "rekey" take the password as
// text, "hexkey" and "hexrekey" as hexadecimal digits, two per byte. Each
// leads to sqlite3_key or sqlite3_rekey on the connection, while the pragma
// is compiled, as in the engine's own codec builds.

#include "codec/CodecFile.h"
#include "codec/EngineMessage.h"
#include "codec/SecureWipe.h"
#include "codec/SqliteKey.h"
#include "text/HexDigits.h"

#include <cstring>
#include <string>

namespace torvik::codec {

namespace {

struct KeyPragma {
    const char *name;
    bool rekey;
    bool hex;
};

constexpr KeyPragma kKeyPragmas[] = {
    {"key", false, false}, {"rekey", true, false}, {"hexkey", false, true}, {"hexrekey", true, true}};

bool decodeHex(const char *text, std::string &bytes)
{
    bytes.reserve(std::strlen(text) / 2);
    for (const char *p = text; *p; p += 2) {
        const int high = torvik::text::hexDigitValue(p[0]);
        const int low = high < 0 ? -1 : torvik::text::hexDigitValue(p[1]);
        if (low < 0)
            return false;
        bytes.push_back(char(high << 4 | low));
    }
    return true;
}

int fail(char **args, int code, const char *message)
{
    args[0] = sqlite3_mprintf("%s", message);
    return code;
}

} // namespace

int runKeyPragma(CodecFile *main, char **args)
{
    const KeyPragma *pragma = nullptr;
    for (const KeyPragma &p : kKeyPragmas)
        if (args[1] && sqlite3_stricmp(args[1], p.name) == 0)
            pragma = &p;
    // Without a value the pragma asks for nothing the codec could answer.
    if (!pragma || !args[2])
        return SQLITE_NOTFOUND;
    if (!main->db)
        return fail(args, SQLITE_ERROR, "only the main database of a connection takes a key");

    std::string password;
    if (!pragma->hex)
        password = args[2];
    else if (!decodeHex(args[2], password))
        return fail(args, SQLITE_ERROR, "a hexadecimal key needs two hexadecimal digits for every byte");
    const int rc = pragma->rekey ? sqlite3_rekey(main->db, password.data(), int(password.size()))
                                 : sqlite3_key(main->db, password.data(), int(password.size()));
    secureWipe(password.data(), password.size());
    if (rc != SQLITE_OK)
        return fail(args, rc, engineErrorMessage(main->db));
    return SQLITE_OK;
}

} // namespace torvik::codec
