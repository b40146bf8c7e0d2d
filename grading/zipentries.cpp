#include "zipentries.h"

#include <QtEndian>

#include <zlib.h>

namespace {

// Raw deflate data inflated to exactly size bytes; none when it does not.
std::optional<QByteArray> inflated(const QByteArray& data, quint32 size) {
    QByteArray out(qsizetype(size), '\0');
    z_stream s{};
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    s.avail_in = uInt(data.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = uInt(out.size());
    const bool ok = inflateInit2(&s, -MAX_WBITS) == Z_OK && inflate(&s, Z_FINISH) == Z_STREAM_END &&
                    s.avail_out == 0;
    inflateEnd(&s);
    return ok ? std::optional(out) : std::nullopt;
}

} // namespace

QHash<QString, QByteArray> zipEntries(const QByteArray& zip) {
    const auto u16 = [&](qsizetype at) -> quint16 {
        return at >= 0 && at + 2 <= zip.size() ? qFromLittleEndian<quint16>(zip.constData() + at)
                                               : 0;
    };
    const auto u32 = [&](qsizetype at) -> quint32 {
        return at >= 0 && at + 4 <= zip.size() ? qFromLittleEndian<quint32>(zip.constData() + at)
                                               : 0;
    };
    QHash<QString, QByteArray> entries;
    constexpr qsizetype endRecord = 22;
    // A workbook's parts are small; a size beyond this is a broken or hostile file.
    constexpr quint32 largestEntry = 256 * 1024 * 1024;
    if (zip.size() < endRecord)
        return entries;
    const qsizetype end = zip.size() - endRecord;
    qsizetype at = u32(end + 16);
    for (int i = 0; i < u16(end + 10) && at + 46 <= zip.size(); ++i) {
        const quint16 method = u16(at + 10);
        const quint32 packed = u32(at + 20), size = u32(at + 24);
        const QString name = QString::fromUtf8(zip.mid(at + 46, u16(at + 28)));
        const qsizetype local = u32(at + 42);
        const QByteArray data = zip.mid(local + 30 + u16(local + 26) + u16(local + 28), packed);
        at += 46 + u16(at + 28) + u16(at + 30) + u16(at + 32);
        if (method == 0 && data.size() == qsizetype(size))
            entries.insert(name, data);
        else if (method == Z_DEFLATED && size <= largestEntry)
            if (const std::optional<QByteArray> out = inflated(data, size))
                entries.insert(name, *out);
    }
    return entries;
}
