#include "ScriptFilePanels.h"

#include "PrompterViewModel.h"
#include "ScriptFileDocument.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>

#include <utility>

namespace lumetra {

namespace {

// Every script file type in one filter first, so Markdown and plain text show side by side.
QStringList openPanelFilters()
{
    const QMimeDatabase database;
    QStringList patterns;
    for (const QString &name : PrompterViewModel::scriptFileTypes())
        for (const QString &pattern : database.mimeTypeForName(name).globPatterns())
            if (!patterns.contains(pattern))
                patterns.append(pattern);
    for (const QString &pattern : { QStringLiteral("*.md"), QStringLiteral("*.markdown") })
        if (!patterns.contains(pattern))
            patterns.append(pattern);
    return { QStringLiteral("講稿 (%1)").arg(patterns.join(u' ')), QStringLiteral("所有檔案 (*)") };
}

} // namespace

ScriptFilePanels::ScriptFilePanels(PrompterViewModel &model, QWidget *window)
    : QObject(window)
    , m_model(model)
    , m_window(window)
{
    connect(&m_model, &PrompterViewModel::isPresentingScriptImporterChanged, this, [this] {
        if (m_model.isPresentingScriptImporter())
            showOpenPanel();
        else if (m_openPanel)
            m_openPanel->reject();
    });
    connect(&m_model, &PrompterViewModel::isPresentingScriptExporterChanged, this, [this] {
        if (m_model.isPresentingScriptExporter())
            showSavePanel();
        else if (m_savePanel)
            m_savePanel->reject();
    });
}

QFileDialog *ScriptFilePanels::makePanel(const QString &title)
{
    auto *panel = new QFileDialog(m_window, title);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setWindowModality(Qt::WindowModal);
    const QString current = m_model.currentFileURL();
    panel->setDirectory(current.isEmpty() ? QDir::homePath() : QFileInfo(current).absolutePath());
    return panel;
}

void ScriptFilePanels::showOpenPanel()
{
    if (m_openPanel) {
        m_openPanel->raise();
        return;
    }
    m_openPanel = makePanel(QStringLiteral("開啟講稿"));
    m_openPanel->setAcceptMode(QFileDialog::AcceptOpen);
    m_openPanel->setFileMode(QFileDialog::ExistingFile);
    m_openPanel->setNameFilters(openPanelFilters());
    connect(m_openPanel, &QFileDialog::finished, this, [this](int result) {
        // Forgotten first: the flag going back must not close the panel a second time.
        QFileDialog *panel = std::exchange(m_openPanel, nullptr);
        const QStringList files = result == QDialog::Accepted ? panel->selectedFiles() : QStringList();
        m_model.setIsPresentingScriptImporter(false);
        m_model.completeScriptImport(files);
    });
    m_openPanel->open();
}

void ScriptFilePanels::showSavePanel()
{
    if (m_savePanel) {
        m_savePanel->raise();
        return;
    }
    m_savePanel = makePanel(QStringLiteral("另存新檔"));
    m_savePanel->setAcceptMode(QFileDialog::AcceptSave);
    m_savePanel->setFileMode(QFileDialog::AnyFile);
    m_savePanel->setMimeTypeFilters(ScriptFileDocument::writableContentTypes());
    m_savePanel->selectFile(m_model.suggestedScriptFilename());
    // The text is taken when the panel opens, as the document handed to it.
    const ScriptFileDocument document { m_model.scriptText() };
    connect(m_savePanel, &QFileDialog::finished, this, [this, document](int result) {
        QFileDialog *panel = std::exchange(m_savePanel, nullptr);
        const QStringList files = panel->selectedFiles();
        m_model.setIsPresentingScriptExporter(false);
        if (result != QDialog::Accepted || files.isEmpty()) {
            emit savePanelFinished(false);
            return;
        }
        const QString path = files.first();
        if (const auto error = document.write(path)) {
            m_model.completeScriptExport(*error);
            emit savePanelFinished(false);
            return;
        }
        m_model.completeScriptExport(path);
        emit savePanelFinished(true);
    });
    m_savePanel->open();
}

} // namespace lumetra
