#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace lumetra::fuzz {

void failedCheck(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, condition);
    std::abort();
}

QString utf16FromBytes(const std::uint8_t *data, std::size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text[static_cast<qsizetype>(i / 2)] = QChar(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return text;
}

QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

QString scratchFolder()
{
    static const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/lumetra-fuzz-XXXXXX"));
    LUMETRA_FUZZ_CHECK(folder.isValid());
    return folder.path();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    LUMETRA_FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    LUMETRA_FUZZ_CHECK(file.write(bytes) == bytes.size());
}

} // namespace lumetra::fuzz
