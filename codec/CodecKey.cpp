#include "codec/CodecKey.h"

#include "codec/SecureWipe.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCryptographicHash>

namespace torvik::codec {

KeyRef deriveKey(const void *bytes, int count)
{
    if (!bytes || count < 1)
        return nullptr;
    QByteArray digest = QCryptographicHash::hash(QByteArrayView(static_cast<const char *>(bytes), count),
                                                 QCryptographicHash::Md5);
    auto *key = new CipherKey;
    const auto *d = reinterpret_cast<const unsigned char *>(digest.constData());
    for (int w = 0; w < 4; ++w)
        key->k[w] = std::uint32_t(d[4 * w]) | std::uint32_t(d[4 * w + 1]) << 8 | std::uint32_t(d[4 * w + 2]) << 16
                    | std::uint32_t(d[4 * w + 3]) << 24;
    secureWipe(digest.data(), size_t(digest.size()));
    return KeyRef(key, [](const CipherKey *k) {
        secureWipe(const_cast<CipherKey *>(k), sizeof *k);
        delete k;
    });
}

} // namespace torvik::codec
