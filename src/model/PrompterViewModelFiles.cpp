// Script files: the new-script template, open, save and save-as, and the document's names.
#include "PrompterViewModel.h"

#include "ScriptFileDocument.h"
#include "ScriptParser.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace lumetra {

namespace {

QString absolute(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

QString PrompterViewModel::documentTitle() const
{
    return m_currentFileURL.isEmpty() ? QStringLiteral("未命名講稿") : fileName(m_currentFileURL);
}

QString PrompterViewModel::suggestedScriptFilename() const
{
    return m_currentFileURL.isEmpty() ? QStringLiteral("script.md") : fileName(m_currentFileURL);
}

const QStringList &PrompterViewModel::scriptFileTypes()
{
    static const QStringList types = [] {
        // Plain text is also the generic text type here: every text type derives from it.
        QStringList list { QStringLiteral("text/plain") };
        const QMimeDatabase database;
        for (const QString &probe : { QStringLiteral("script.md"), QStringLiteral("script.markdown") }) {
            const QMimeType type = database.mimeTypeForFile(probe, QMimeDatabase::MatchExtension);
            if (!type.isDefault() && !list.contains(type.name()))
                list.append(type.name());
        }
        return list;
    }();
    return types;
}

void PrompterViewModel::replaceScriptByFileOperation(const QString &text, const QString &path)
{
    stopPlayback();
    setCurrentFileURL(path);
    m_isApplyingFileChange = true;
    setScriptText(ScriptParser::normalizedLineEnds(text));
    m_isApplyingFileChange = false;
}

void PrompterViewModel::newScript()
{
    replaceScriptByFileOperation(QStringLiteral("# 新講稿\n\n在這裡貼上你的口播稿。"), QString());
    setIsDirty(true);
    setStatusMessage(QStringLiteral("已建立新講稿"));
}

void PrompterViewModel::completeScriptImport(const std::variant<QStringList, ScriptFileError> &result)
{
    if (const auto *error = std::get_if<ScriptFileError>(&result)) {
        setStatusMessage(QStringLiteral("開啟失敗：") + error->description);
        return;
    }
    const QStringList &paths = std::get<QStringList>(result);
    if (paths.isEmpty())
        return;
    const QString path = absolute(paths.first());
    const auto read = ScriptFileDocument::read(path);
    if (const auto *error = std::get_if<ScriptFileError>(&read)) {
        setStatusMessage(QStringLiteral("開啟失敗：") + error->description);
        return;
    }
    replaceScriptByFileOperation(std::get<ScriptFileDocument>(read).text, path);
    setIsDirty(false);
    setStatusMessage(QStringLiteral("已開啟 ") + fileName(path));
}

void PrompterViewModel::saveScript()
{
    if (m_currentFileURL.isEmpty())
        setIsPresentingScriptExporter(true);
    else
        writeScript(m_currentFileURL);
}

void PrompterViewModel::writeScript(const QString &path)
{
    if (const auto error = ScriptFileDocument { m_scriptText }.write(path)) {
        setStatusMessage(QStringLiteral("儲存失敗：") + error->description);
        return;
    }
    setIsDirty(false);
    setStatusMessage(QStringLiteral("已儲存 ") + fileName(path));
}

void PrompterViewModel::completeScriptExport(const std::variant<QString, ScriptFileError> &result)
{
    if (const auto *error = std::get_if<ScriptFileError>(&result)) {
        setStatusMessage(QStringLiteral("儲存失敗：") + error->description);
        return;
    }
    const QString path = absolute(std::get<QString>(result));
    setCurrentFileURL(path);
    setIsDirty(false);
    setStatusMessage(QStringLiteral("已儲存 ") + fileName(path));
}

} // namespace lumetra
