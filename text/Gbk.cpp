#include "text/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <bitset>

namespace torvik::text {

namespace {

constexpr const char *kCodec = "GBK";

// Encodes one code point at a time so that the first unrepresentable one can
// be named. An encoder that silently substitutes would report no error, so
// the result is also decoded again and compared.
bool encodeChecked(const QString &text, std::string *out, QString *offending)
{
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        throw std::logic_error("the GBK codec is not available in this Qt build");
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    std::string result;
    result.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            result.push_back(char(c.unicode()));
            ++i;
            continue;
        }
        const qsizetype len = (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QString piece = text.mid(i, len);
        const QByteArray bytes = encoder.encode(piece);
        const bool failed = encoder.hasError() || bytes.isEmpty() || QString(decoder.decode(bytes)) != piece;
        if (failed) {
            if (offending)
                *offending = piece;
            return false;
        }
        result.append(bytes.constData(), size_t(bytes.size()));
        i += len;
    }
    if (out)
        *out = std::move(result);
    return true;
}

} // namespace

GbkEncodingError::GbkEncodingError(const QString &message, QString offending)
    : std::runtime_error(message.toStdString()), message_(message), offending_(std::move(offending))
{
}

QString fromGbk(std::string_view gbk)
{
    bool ascii = true;
    for (char ch : gbk)
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(gbk.data(), qsizetype(gbk.size()));
    // The decoder swallows a lead byte left without its trail at the end of the
    // input; a line feed after it (never a trail byte) makes it decode as
    // U+FFFD, and is dropped again.
    QByteArray bytes(gbk.data(), qsizetype(gbk.size()));
    bytes.append('\n');
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    QString decoded = decoder.decode(bytes);
    decoded.chop(1);
    return decoded;
}

std::string toGbk(const QString &text)
{
    std::string out;
    QString offending;
    if (!encodeChecked(text, &out, &offending))
        throw GbkEncodingError(QStringLiteral("字符“%1”无法以GBK编码保存").arg(offending), offending);
    return out;
}

bool isGbkEncodable(const QString &text, QString *offending)
{
    return encodeChecked(text, nullptr, offending);
}

std::optional<QString> fromGbkExact(std::string_view gbk)
{
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    QString decoded = decoder.decode(QByteArrayView(gbk.data(), qsizetype(gbk.size())));
    if (decoder.hasError() || decoded.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    // A lead byte at the very end is swallowed without an error; the round
    // trip catches it along with any sequence that does not map back.
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    const QByteArray again = encoder.encode(decoded);
    if (encoder.hasError() || std::string_view(again.constData(), size_t(again.size())) != gbk)
        return std::nullopt;
    return decoded;
}

namespace {

// Which single bytes from 0x80 and which two-byte sequences (lead bytes 0x81
// to 0xFE) stand for one character that maps back to the same bytes. The
// codec reads character by character, so a text made of such units reads
// back exactly.
class ExactGbkUnits {
public:
    ExactGbkUnits()
    {
        QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
        QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
        const auto exact = [&](std::string_view bytes) {
            const QString decoded = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
            if (decoder.hasError() || decoded.isEmpty() || decoded.contains(QChar::ReplacementCharacter))
                return false;
            const QByteArray again = encoder.encode(decoded);
            return !encoder.hasError() && std::string_view(again.constData(), size_t(again.size())) == bytes;
        };
        for (unsigned b = 0x80; b <= 0xFF; ++b) {
            const char one[1] = {char(b)};
            single_[b - 0x80] = exact(std::string_view(one, 1));
        }
        for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead)
            for (unsigned trail = 0; trail <= 0xFF; ++trail) {
                const char two[2] = {char(lead), char(trail)};
                pair_[(lead - kFirstLead) * 256 + trail] = exact(std::string_view(two, 2));
            }
    }

    bool single(unsigned char b) const { return b < 0x80 || single_[b - 0x80]; }
    bool pair(unsigned char lead, unsigned char trail) const
    {
        return lead >= kFirstLead && lead <= kLastLead && pair_[(lead - kFirstLead) * 256u + trail];
    }

private:
    static constexpr unsigned kFirstLead = 0x81;
    static constexpr unsigned kLastLead = 0xFE;
    std::bitset<0x80> single_;
    std::bitset<(kLastLead - kFirstLead + 1) * 256> pair_;
};

} // namespace

bool isExactGbk(std::string_view gbk)
{
    static const ExactGbkUnits units;
    for (size_t i = 0; i < gbk.size();) {
        const auto b = static_cast<unsigned char>(gbk[i]);
        if (b < 0x80) {
            ++i;
        } else if (i + 1 < gbk.size() && units.pair(b, static_cast<unsigned char>(gbk[i + 1]))) {
            i += 2;
        } else if (units.single(b)) {
            ++i;
        } else {
            // Not made of single characters: the codec decides on the whole.
            return fromGbkExact(gbk).has_value();
        }
    }
    return true;
}

GbkBatchEncoder::GbkBatchEncoder()
    : encoder_(kCodec, QStringConverter::Flag::Stateless), decoder_(kCodec, QStringConverter::Flag::Stateless)
{
    if (!encoder_.isValid())
        throw std::logic_error("the GBK codec is not available in this Qt build");
}

bool GbkBatchEncoder::encode(QStringView text, std::string &out)
{
    out.resize(size_t(text.size()));
    bool ascii = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            ascii = false;
            break;
        }
        out[size_t(i)] = char(c);
    }
    if (ascii)
        return true;
    const QByteArray bytes = encoder_.encode(text);
    // An encoder that substitutes reports no error, so the bytes must also
    // decode back to the text.
    if (encoder_.hasError() || QStringView(QString(decoder_.decode(bytes))) != text) {
        encoder_.resetState();
        decoder_.resetState();
        return false;
    }
    out.assign(bytes.constData(), size_t(bytes.size()));
    return true;
}

std::string gbkToUtf8(std::string_view gbk)
{
    return fromGbk(gbk).toStdString();
}

std::string utf8ToGbk(std::string_view utf8)
{
    return toGbk(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

} // namespace torvik::text
