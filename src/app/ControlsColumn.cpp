#include "ControlsColumn.h"

#include "ControlSliderRow.h"
#include "IconLabel.h"
#include "ModelObservation.h"
#include "PrompterViewModel.h"
#include "ShortcutFieldRow.h"
#include "SymbolIcon.h"
#include "TextStyles.h"
#include "recording/RecordingControlsView.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <limits>

namespace lumetra {

namespace {

constexpr int columnMinimumWidth = 320;
constexpr int columnPreferredWidth = 380;
constexpr double readingPositionMinimum = 0.18;
constexpr double readingPositionMaximum = 0.72;

} // namespace

ControlsColumn::ControlsColumn(PrompterViewModel &model, QWidget *parent)
    : QScrollArea(parent)
    , m_model(model)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setMinimumWidth(columnMinimumWidth);
    viewport()->setBackgroundRole(QPalette::Base);

    auto *content = new QWidget(this);
    content->setBackgroundRole(QPalette::Base);
    m_layout = new QVBoxLayout(content);
    m_layout->setContentsMargins(16, 16, 16, 16);
    m_layout->setSpacing(16);
    setWidget(content);

    m_layout->addWidget(
        new IconLabel(QStringLiteral("slider.horizontal.3"), QStringLiteral("控制"), TextStyles::headline(), content));
    m_layout->addWidget(new RecordingControlsView(m_model.recordingEngine(), content));
    addDivider();
    addPlaybackControls();
    addLayoutControls();
    addDivider();
    addDisplayGroup();
    addDivider();
    addShortcutGroup();
    addDivider();
    addProgressGroup();
    addDivider();
    addVoiceSyncGroup();
    m_layout->addStretch(1);

    observe(&m_model, &PrompterViewModel::isVoiceSyncEnabledChanged, this, [this] { updateVoiceSyncEnabling(); });
}

QSize ControlsColumn::sizeHint() const
{
    return { columnPreferredWidth, QScrollArea::sizeHint().height() };
}

void ControlsColumn::addPlaybackControls()
{
    m_speedSlider = addSlider(m_layout, QStringLiteral("滾動速度"), 2, 180,
        ControlSliderRow::integerWith(QStringLiteral(" px/s")), &PrompterViewModel::scrollSpeed,
        &PrompterViewModel::scrollSpeedChanged, [this](double value) { m_model.setScrollSpeed(value); });

    m_speedButtons = new QWidget(widget());
    auto *speedRow = new QHBoxLayout(m_speedButtons);
    speedRow->setContentsMargins(0, 0, 0, 0);
    speedRow->setSpacing(8);
    QPushButton *slower = makeButton(QStringLiteral("慢一點"), QStringLiteral("minus"));
    QPushButton *faster = makeButton(QStringLiteral("快一點"), QStringLiteral("plus"));
    connect(slower, &QPushButton::clicked, &m_model, &PrompterViewModel::decreaseScrollSpeed);
    connect(faster, &QPushButton::clicked, &m_model, &PrompterViewModel::increaseScrollSpeed);
    speedRow->addWidget(slower);
    speedRow->addWidget(faster);
    speedRow->addStretch(1);
    m_layout->addWidget(m_speedButtons);

    auto *sentenceButtons = new QWidget(widget());
    auto *sentenceRow = new QHBoxLayout(sentenceButtons);
    sentenceRow->setContentsMargins(0, 0, 0, 0);
    sentenceRow->setSpacing(8);
    QPushButton *previous = makeButton(QStringLiteral("上一句"), QStringLiteral("chevron.up"));
    QPushButton *next = makeButton(QStringLiteral("下一句"), QStringLiteral("chevron.down"));
    connect(previous, &QPushButton::clicked, &m_model, &PrompterViewModel::moveToPreviousSentence);
    connect(next, &QPushButton::clicked, &m_model, &PrompterViewModel::moveToNextSentence);
    sentenceRow->addWidget(previous);
    sentenceRow->addWidget(next);
    sentenceRow->addStretch(1);
    m_layout->addWidget(sentenceButtons);

    m_autoLoop = addToggle(m_layout, QStringLiteral("自動循環"), &PrompterViewModel::isAutoLoopEnabled,
        &PrompterViewModel::isAutoLoopEnabledChanged, &PrompterViewModel::setIsAutoLoopEnabled);

    auto *notice = new IconLabel(QStringLiteral("waveform"), QStringLiteral("Voice Sync 控制進度中，固定速度暫停。"),
        TextStyles::caption(), widget());
    TextStyles::makeSecondary(notice);
    m_voiceSyncNotice = notice;
    m_layout->addWidget(notice);
}

void ControlsColumn::addLayoutControls()
{
    addSlider(m_layout, QStringLiteral("字級"), 34, 92, ControlSliderRow::integerWith(QStringLiteral(" pt")),
        &PrompterViewModel::fontSize, &PrompterViewModel::fontSizeChanged,
        [this](double value) { m_model.setFontSize(value); });
    addSlider(m_layout, QStringLiteral("行距"), 4, 30, ControlSliderRow::integerWith(QStringLiteral(" pt")),
        &PrompterViewModel::lineSpacing, &PrompterViewModel::lineSpacingChanged,
        [this](double value) { m_model.setLineSpacing(value); });
    addSlider(m_layout, QStringLiteral("閱讀位置"), readingPositionMinimum, readingPositionMaximum,
        ControlSliderRow::percentOfOne(), &PrompterViewModel::readingPosition,
        &PrompterViewModel::readingPositionChanged, [this](double value) {
            m_model.setReadingPosition(std::clamp(value, readingPositionMinimum, readingPositionMaximum));
            m_model.showReadingGuideTemporarily();
        });
    addToggle(m_layout, QStringLiteral("顯示紅色基準線"), &PrompterViewModel::isReadingGuidePinned,
        &PrompterViewModel::isReadingGuidePinnedChanged, &PrompterViewModel::setIsReadingGuidePinned);
    addToggle(m_layout, QStringLiteral("高亮朗讀文字"), &PrompterViewModel::isHighlightEnabled,
        &PrompterViewModel::isHighlightEnabledChanged, &PrompterViewModel::setIsHighlightEnabled);
    addSlider(m_layout, QStringLiteral("已讀淡化"), 0.08, 0.65, ControlSliderRow::percentOfOne(),
        &PrompterViewModel::readTextOpacity, &PrompterViewModel::readTextOpacityChanged,
        [this](double value) { m_model.setReadTextOpacity(value); });
    addSlider(m_layout, QStringLiteral("左右邊距"), 2, 22, ControlSliderRow::percent(),
        &PrompterViewModel::horizontalMargin, &PrompterViewModel::horizontalMarginChanged,
        [this](double value) { m_model.setHorizontalMargin(value); });
    addSlider(m_layout, QStringLiteral("基準線上下位置"), -240, 240,
        ControlSliderRow::integerWith(QStringLiteral(" px")), &PrompterViewModel::verticalMargin,
        &PrompterViewModel::verticalMarginChanged, [this](double value) { m_model.setVerticalMargin(value); });
}

void ControlsColumn::addDisplayGroup()
{
    QVBoxLayout *group = addGroup(QString(), 12);
    addToggle(group, QStringLiteral("水平鏡像"), &PrompterViewModel::isHorizontallyFlipped,
        &PrompterViewModel::isHorizontallyFlippedChanged, &PrompterViewModel::setIsHorizontallyFlipped);
    addSlider(group, QStringLiteral("文字亮度"), 0.35, 1.0, ControlSliderRow::percentOfOne(),
        &PrompterViewModel::textBrightness, &PrompterViewModel::textBrightnessChanged,
        [this](double value) { m_model.setTextBrightness(value); });
    addSlider(group, QStringLiteral("背景亮度"), 0, 0.22, ControlSliderRow::percentOfOne(),
        &PrompterViewModel::backgroundBrightness, &PrompterViewModel::backgroundBrightnessChanged,
        [this](double value) { m_model.setBackgroundBrightness(value); });
    addSlider(group, QStringLiteral("對比"), 0.7, 1.6, ControlSliderRow::factor(), &PrompterViewModel::displayContrast,
        &PrompterViewModel::displayContrastChanged, [this](double value) { m_model.setDisplayContrast(value); });
}

void ControlsColumn::addShortcutGroup()
{
    QVBoxLayout *group = addGroup(QStringLiteral("快捷鍵"), 10);
    const std::array<std::pair<QString, QString ShortcutSettings::*>, 4> fields { {
        { QStringLiteral("放慢"), &ShortcutSettings::slowerKey },
        { QStringLiteral("加快"), &ShortcutSettings::fasterKey },
        { QStringLiteral("上一句"), &ShortcutSettings::previousSentenceKey },
        { QStringLiteral("下一句"), &ShortcutSettings::nextSentenceKey },
    } };
    for (const auto &field : fields) {
        // Plain names, not structured bindings: clang 14 cannot capture those in a lambda.
        const QString &title = field.first;
        QString ShortcutSettings::*member = field.second;
        auto *row = new ShortcutFieldRow(title, widget());
        row->setObjectName(QStringLiteral("shortcut:") + title);
        group->addWidget(row);
        observe(&m_model, &PrompterViewModel::shortcutSettingsChanged, row,
            [this, row, member] { row->setKey(m_model.shortcutSettings().*member); });
        connect(row, &ShortcutFieldRow::keyEdited, this, [this, member](const QString &text) {
            ShortcutSettings settings = m_model.shortcutSettings();
            settings.*member = text;
            m_model.setShortcutSettings(settings); // normalises at once
        });
    }
    auto *note = new QLabel(QStringLiteral("輸入講稿時不會觸發這些單鍵快捷鍵。"), widget());
    note->setFont(TextStyles::caption());
    note->setWordWrap(true);
    TextStyles::makeSecondary(note);
    group->addWidget(note);
}

void ControlsColumn::addProgressGroup()
{
    QVBoxLayout *group = addGroup(QStringLiteral("朗讀進度"), 8);
    m_progress = new QProgressBar(widget());
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(8);
    group->addWidget(m_progress);
    m_progressText = new QLabel(widget());
    m_progressText->setFont(TextStyles::caption());
    TextStyles::makeSecondary(m_progressText);
    group->addWidget(m_progressText);

    const auto showProgress = [this] {
        const auto count = std::int64_t(m_model.paragraphs().size());
        const std::int64_t total = std::max<std::int64_t>(count, 1);
        // Asked on every frame of playback: only a changed value is handed on.
        const int maximum = int(std::min<std::int64_t>(total, std::numeric_limits<int>::max()));
        if (m_progress->maximum() != maximum)
            m_progress->setRange(0, maximum);
        m_progress->setValue(int(std::min(m_model.currentParagraphIndex() + 1, total)));
        const QString text = m_model.visualProgressText();
        if (m_progressText->text() != text)
            m_progressText->setText(text);
    };
    observeCurrentChunk(&m_model, this, showProgress);
}

void ControlsColumn::addVoiceSyncGroup()
{
    QVBoxLayout *group = addGroup(QStringLiteral("Voice Sync"), 8);
    auto *toggle = new QCheckBox(QStringLiteral("啟用 Voice Sync"), widget());
    toggle->setFont(TextStyles::subheadline());
    group->addWidget(toggle);
    // The switch only asks for the other state; what it shows is always the model's.
    connect(toggle, &QCheckBox::clicked, this, [this, toggle] {
        if (m_model.isVoiceSyncEnabled())
            m_model.stopVoiceSync();
        else
            m_model.startVoiceSync();
        toggle->setChecked(m_model.isVoiceSyncEnabled());
    });
    observe(&m_model, &PrompterViewModel::isVoiceSyncEnabledChanged, toggle,
        [this, toggle] { toggle->setChecked(m_model.isVoiceSyncEnabled()); });

    auto *status = new IconLabel(QStringLiteral("waveform"), QString(), TextStyles::callout(), widget());
    TextStyles::makeSecondary(status);
    m_voiceSyncStatus = &status->textLabel();
    group->addWidget(status);
    // Switching Voice Sync shows the notice above and changes the status: once the column has
    // laid itself out again, the presenter sees what became of the switch.
    connect(toggle, &QCheckBox::clicked, this,
        [this, status] { QTimer::singleShot(0, this, [this, status] { ensureWidgetVisible(status); }); });
    observe(&m_model, &PrompterViewModel::voiceSyncStatusChanged, status,
        [this, status] { status->setText(m_model.voiceSyncStatus()); });

    m_transcript = new QLabel(widget());
    m_transcript->setFont(TextStyles::caption());
    m_transcript->setWordWrap(true);
    m_transcript->setContentsMargins(8, 8, 8, 8);
    m_transcript->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Three lines at most: the newest words are at the end, so the start is what gives way.
    m_transcript->setMaximumHeight(3 * QFontMetrics(m_transcript->font()).lineSpacing() + 16);
    m_transcript->setStyleSheet(QStringLiteral("QLabel { background: palette(base); border-radius: 8px; }"));
    TextStyles::makeSecondary(m_transcript);
    group->addWidget(m_transcript);
    observe(&m_model, &PrompterViewModel::voiceSyncTranscriptChanged, m_transcript, [this] {
        const QString &transcript = m_model.voiceSyncTranscript();
        m_transcript->setText(transcript);
        m_transcript->setVisible(!transcript.isEmpty());
    });
}

void ControlsColumn::addDivider()
{
    auto *line = new QFrame(widget());
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    m_layout->addWidget(line);
}

QVBoxLayout *ControlsColumn::addGroup(const QString &heading, int spacing)
{
    auto *group = new QVBoxLayout;
    group->setSpacing(spacing);
    if (!heading.isEmpty()) {
        auto *label = new QLabel(heading, widget());
        label->setFont(TextStyles::subheadline());
        TextStyles::makeSecondary(label);
        group->addWidget(label);
    }
    m_layout->addLayout(group);
    return group;
}

ControlSliderRow *ControlsColumn::addSlider(QVBoxLayout *layout, const QString &title, double minimum, double maximum,
    std::function<QString(double)> valueText, double (PrompterViewModel::*read)() const,
    void (PrompterViewModel::*changed)(), std::function<void(double)> write)
{
    auto *row = new ControlSliderRow(title, minimum, maximum, std::move(valueText), widget());
    row->setObjectName(QStringLiteral("slider:") + title);
    layout->addWidget(row);
    observe(&m_model, changed, row, [this, row, read] { row->setValue((m_model.*read)()); });
    connect(row, &ControlSliderRow::valueMoved, this, std::move(write));
    return row;
}

QCheckBox *ControlsColumn::addToggle(QVBoxLayout *layout, const QString &title, bool (PrompterViewModel::*read)() const,
    void (PrompterViewModel::*changed)(), void (PrompterViewModel::*write)(bool))
{
    auto *toggle = new QCheckBox(title, widget());
    toggle->setFont(TextStyles::subheadline());
    layout->addWidget(toggle);
    observe(&m_model, changed, toggle, [this, toggle, read] { toggle->setChecked((m_model.*read)()); });
    connect(toggle, &QCheckBox::clicked, this, [this, write](bool checked) { (m_model.*write)(checked); });
    return toggle;
}

QPushButton *ControlsColumn::makeButton(const QString &text, const QString &symbol)
{
    auto *button = new QPushButton(symbolIcon(symbol), text, widget());
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void ControlsColumn::updateVoiceSyncEnabling()
{
    const bool voiceSync = m_model.isVoiceSyncEnabled();
    m_speedSlider->setEnabled(!voiceSync);
    m_speedButtons->setEnabled(!voiceSync);
    m_autoLoop->setEnabled(!voiceSync);
    m_voiceSyncNotice->setVisible(voiceSync);
}

ControlSliderRow *ControlsColumn::slider(const QString &title) const
{
    return widget()->findChild<ControlSliderRow *>(QStringLiteral("slider:") + title);
}

ShortcutFieldRow *ControlsColumn::shortcutField(const QString &title) const
{
    return widget()->findChild<ShortcutFieldRow *>(QStringLiteral("shortcut:") + title);
}

QPushButton *ControlsColumn::button(const QString &text) const
{
    for (QPushButton *candidate : widget()->findChildren<QPushButton *>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

QCheckBox *ControlsColumn::toggle(const QString &text) const
{
    for (QCheckBox *candidate : widget()->findChildren<QCheckBox *>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

} // namespace lumetra
