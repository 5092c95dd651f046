#include "ScriptFileDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace lumetra {

namespace {

ScriptFileError readFailure(const QFileInfo &file)
{
    if (!file.exists())
        return { QStringLiteral("檔案不存在") };
    if (!file.isFile())
        return { QStringLiteral("這不是一般檔案") };
    if (!file.isReadable())
        return { QStringLiteral("沒有權限讀取這個檔案") };
    return { QStringLiteral("無法讀取檔案") };
}

ScriptFileError writeFailure(const QFileInfo &file)
{
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return { QStringLiteral("找不到要儲存的資料夾") };
    if (!folder.isDir())
        return { QStringLiteral("儲存位置不是資料夾") };
    if (file.isDir())
        return { QStringLiteral("已有同名的資料夾") };
    if (file.exists() && !file.isWritable())
        return { QStringLiteral("沒有權限寫入這個檔案") };
    if (!folder.isWritable())
        return { QStringLiteral("沒有權限寫入這個資料夾") };
    return { QStringLiteral("無法寫入檔案") };
}

} // namespace

QStringList ScriptFileDocument::readableContentTypes()
{
    return { QStringLiteral("text/plain") };
}

QStringList ScriptFileDocument::writableContentTypes()
{
    return { QStringLiteral("text/plain") };
}

std::variant<ScriptFileDocument, ScriptFileError> ScriptFileDocument::read(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return readFailure(info);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(info);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readFailure(info);

    // Stateless, so that a sequence cut short at the end of the file counts as invalid too.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return ScriptFileError { QStringLiteral("檔案不是有效的 UTF-8 文字") };
    return ScriptFileDocument { std::move(text) };
}

std::optional<ScriptFileError> ScriptFileDocument::write(const QString &path) const
{
    const QFileInfo info(path);
    const QByteArray bytes = text.toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeFailure(info);
    // An incomplete write is discarded with the save file; the target stays as it was.
    if (file.write(bytes) != bytes.size() || !file.commit())
        return writeFailure(info);
    return std::nullopt;
}

} // namespace lumetra
