#include "SpeechModelRow.h"

#include "SpeechModel.h"
#include "SpeechModelLocator.h"
#include "SystemDesktopFileServices.h"
#include "TextStyle.h"
#include "recording/HomeRelativePath.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace lumetra {
namespace {

const QString userModelFolder = QStringLiteral("~/.local/share/Lumetra/speech/zh-TW");

// The lookup picks a model by the script's language; scripts here are Traditional Chinese, so the
// row shows the model such a script gets.
const QString chineseScript = QStringLiteral("中文講稿");

} // namespace

SpeechModelRow::SpeechModelRow(QWidget *parent)
    : QWidget(parent)
    , m_chooser(&SystemDesktopFileServices::shared())
    , m_modelLabel(new QLabel(this))
    , m_hintLabel(new QLabel(this))
    , m_statusLabel(new QLabel(this))
    , m_chooseButton(new QPushButton(QStringLiteral("選擇模型資料夾..."), this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto *text = new QVBoxLayout;
    text->setSpacing(2);
    for (QLabel *label : { m_modelLabel, m_hintLabel, m_statusLabel }) {
        applyTextStyle(label, TextStyle::caption);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->addWidget(label);
    }
    applyTextColor(m_hintLabel, secondaryTextColor(palette()));
    applyTextColor(m_statusLabel, secondaryTextColor(palette()));
    m_hintLabel->setText(QStringLiteral("把普通話 PocketSphinx 模型（聲學模型資料夾、.dic 與 .lm.bin）放進 %1，"
                                        "或選擇它所在的資料夾。")
                             .arg(userModelFolder));
    m_statusLabel->hide();
    layout->addLayout(text, 1);
    layout->addWidget(m_chooseButton, 0, Qt::AlignTop);
    connect(m_chooseButton, &QPushButton::clicked, this, &SpeechModelRow::chooseFolder);
    refresh();
}

void SpeechModelRow::setModelLocator(const SpeechModelLocator &locator)
{
    m_locator = locator;
    refresh();
}

void SpeechModelRow::refresh()
{
    const std::optional<QString> folder = m_locator.locate(chineseScript);
    const std::optional<SpeechModel> model = folder ? SpeechModel::inFolder(*folder) : std::nullopt;
    if (model) {
        // A model whose files name no language is shown by its folder alone.
        const QString folderText = homeRelativePath(QDir::cleanPath(model->folder));
        m_modelLabel->setText(model->languageTag.isEmpty()
                ? QStringLiteral("語音模型：%1").arg(folderText)
                : QStringLiteral("語音模型：%1（%2）").arg(folderText, model->languageTag));
        m_modelLabel->setToolTip(model->folder);
    } else {
        m_modelLabel->setText(QStringLiteral("未安裝語音模型"));
        m_modelLabel->setToolTip(folder ? QStringLiteral("%1 裡沒有可用的語音模型").arg(*folder) : QString());
    }
    m_hintLabel->setVisible(!model);
    // Set by the environment, the folder wins over any choice made here.
    const bool fromEnvironment = !qEnvironmentVariableIsEmpty(SpeechModelLocator::environmentVariable);
    m_chooseButton->setToolTip(fromEnvironment ? QStringLiteral("目前由 %1 指定模型，這裡的選擇要等它取消後才生效")
                                                     .arg(QString::fromLatin1(SpeechModelLocator::environmentVariable))
                                               : QString());
}

void SpeechModelRow::chooseFolder()
{
    const std::optional<QString> current = m_locator.locate(chineseScript);
    const QUrl start = QUrl::fromLocalFile(current ? *current : QDir::homePath());
    const std::optional<QUrl> chosen
        = m_chooser->chooseFolder(QStringLiteral("選擇語音模型資料夾"), QStringLiteral("使用此資料夾"), start);
    if (!chosen || chosen->isEmpty())
        return;
    const QString folder = QDir::cleanPath(chosen->toLocalFile());
    if (!SpeechModel::inFolder(folder)) {
        m_statusLabel->setText(
            QStringLiteral("「%1」裡沒有可用的語音模型（需要聲學模型與 .dic 字典），仍使用原本的設定。")
                .arg(homeRelativePath(folder)));
        m_statusLabel->show();
        return;
    }
    QSettings().setValue(SpeechModelLocator::settingsKey(), folder);
    m_statusLabel->setText(QStringLiteral("語音模型已更新，下次開啟 Voice Sync 時使用。"));
    m_statusLabel->show();
    refresh();
}

} // namespace lumetra
