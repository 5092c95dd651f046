// Construction, the observable properties and their change reactions. Playback, navigation,
// files and preferences are in the PrompterViewModel*.cpp files beside this one.
#include "PrompterViewModel.h"

#include "SampleScript.h"
#include "ScriptParser.h"

#include <QTimer>

#include <algorithm>

namespace lumetra {

PrompterViewModel::PrompterViewModel(
    const QString &initialScriptText, std::unique_ptr<RecordingEngine> recordingEngine, QObject *parent)
    : QObject(parent)
    , m_recordingEngine(std::move(recordingEngine))
    , m_scriptText(initialScriptText)
    , m_document(ScriptParser::parse(initialScriptText))
    , m_chunks(m_document)
    , m_statusMessage(QStringLiteral("使用範例講稿"))
    , m_voiceSyncStatus(QStringLiteral("未啟用"))
    , m_readingGuideTimer(new QTimer(this))
{
    m_readingGuideTimer->setSingleShot(true);
    m_readingGuideTimer->setTimerType(Qt::PreciseTimer);
    m_readingGuideTimer->setInterval(readingGuideShowDuration);
    connect(m_readingGuideTimer, &QTimer::timeout, this, [this] { setIsReadingGuideVisible(false); });

    restorePreferences();
    // Chunk 0's estimated position with the restored font size and line spacing (nothing is measured yet).
    m_scrollOffset = readingContentY(0);

    m_recordingEngineCancellable
        = connect(m_recordingEngine.get(), &RecordingEngine::changed, this, &PrompterViewModel::recordingEngineChanged);
}

PrompterViewModel::PrompterViewModel(std::unique_ptr<RecordingEngine> recordingEngine, QObject *parent)
    : PrompterViewModel(SampleScript::text(), std::move(recordingEngine), parent)
{
}

PrompterViewModel::~PrompterViewModel()
{
    cancelVoiceSyncTask();
}

template <typename T> bool PrompterViewModel::store(T &field, const T &value, void (PrompterViewModel::*changed)())
{
    if (field == value)
        return false;
    field = value;
    emit(this->*changed)();
    return true;
}

void PrompterViewModel::setScriptText(const QString &text)
{
    // The same text again (an editor echoing a text the model gave it) is no edit: it must not
    // mark a just-opened or just-saved script as changed.
    if (!store(m_scriptText, text, &PrompterViewModel::scriptTextChanged))
        return;
    m_document = ScriptParser::parse(m_scriptText);
    m_chunks = ScriptChunkIndex(m_document);
    m_isVoiceSyncAlignerCurrent = false;
    if (m_voiceSyncEngine)
        m_voiceSyncEngine->setScriptText(m_scriptText); // the next recognition run decodes the new words
    emit documentChanged();
    setSpokenReadableCharacterCount(std::min(m_spokenReadableCharacterCount, m_chunks.totalReadableCharacterCount()));
    clampScrollOffset();
    if (!m_isApplyingFileChange)
        setIsDirty(true);
}

void PrompterViewModel::setCurrentFileURL(const QString &path)
{
    store(m_currentFileURL, path, &PrompterViewModel::currentFileURLChanged);
}

void PrompterViewModel::setIsDirty(bool dirty)
{
    store(m_isDirty, dirty, &PrompterViewModel::isDirtyChanged);
}

void PrompterViewModel::setStatusMessage(const QString &message)
{
    store(m_statusMessage, message, &PrompterViewModel::statusMessageChanged);
}

void PrompterViewModel::setIsPresentingScriptImporter(bool presenting)
{
    store(m_isPresentingScriptImporter, presenting, &PrompterViewModel::isPresentingScriptImporterChanged);
}

void PrompterViewModel::setIsPresentingScriptExporter(bool presenting)
{
    store(m_isPresentingScriptExporter, presenting, &PrompterViewModel::isPresentingScriptExporterChanged);
}

void PrompterViewModel::setIsPlaying(bool playing)
{
    store(m_isPlaying, playing, &PrompterViewModel::isPlayingChanged);
}

void PrompterViewModel::setScrollOffset(double offset)
{
    store(m_scrollOffset, offset, &PrompterViewModel::scrollOffsetChanged);
}

void PrompterViewModel::setScrollSpeed(double speed)
{
    store(m_scrollSpeed, speed, &PrompterViewModel::scrollSpeedChanged);
    savePreferences();
}

void PrompterViewModel::setFontSize(double size)
{
    store(m_fontSize, size, &PrompterViewModel::fontSizeChanged);
    savePreferences();
}

void PrompterViewModel::setLineSpacing(double spacing)
{
    store(m_lineSpacing, spacing, &PrompterViewModel::lineSpacingChanged);
    savePreferences();
}

void PrompterViewModel::setIsHorizontallyFlipped(bool flipped)
{
    store(m_isHorizontallyFlipped, flipped, &PrompterViewModel::isHorizontallyFlippedChanged);
    savePreferences();
}

void PrompterViewModel::setTextBrightness(double brightness)
{
    store(m_textBrightness, brightness, &PrompterViewModel::textBrightnessChanged);
    savePreferences();
}

void PrompterViewModel::setBackgroundBrightness(double brightness)
{
    store(m_backgroundBrightness, brightness, &PrompterViewModel::backgroundBrightnessChanged);
    savePreferences();
}

void PrompterViewModel::setDisplayContrast(double contrast)
{
    store(m_displayContrast, contrast, &PrompterViewModel::displayContrastChanged);
    savePreferences();
}

void PrompterViewModel::setHorizontalMargin(double margin)
{
    store(m_horizontalMargin, margin, &PrompterViewModel::horizontalMarginChanged);
    savePreferences();
}

void PrompterViewModel::setVerticalMargin(double margin)
{
    store(m_verticalMargin, margin, &PrompterViewModel::verticalMarginChanged);
    savePreferences();
}

void PrompterViewModel::setReadingPosition(double position)
{
    store(m_readingPosition, position, &PrompterViewModel::readingPositionChanged);
    showReadingGuideTemporarily();
    savePreferences();
}

void PrompterViewModel::setIsReadingGuidePinned(bool pinned)
{
    store(m_isReadingGuidePinned, pinned, &PrompterViewModel::isReadingGuidePinnedChanged);
    savePreferences();
}

void PrompterViewModel::setIsHighlightEnabled(bool enabled)
{
    store(m_isHighlightEnabled, enabled, &PrompterViewModel::isHighlightEnabledChanged);
    savePreferences();
}

void PrompterViewModel::setReadTextOpacity(double opacity)
{
    store(m_readTextOpacity, opacity, &PrompterViewModel::readTextOpacityChanged);
    savePreferences();
}

void PrompterViewModel::setIsAutoLoopEnabled(bool enabled)
{
    store(m_isAutoLoopEnabled, enabled, &PrompterViewModel::isAutoLoopEnabledChanged);
    savePreferences();
}

void PrompterViewModel::setShortcutSettings(const ShortcutSettings &settings)
{
    store(m_shortcutSettings, settings, &PrompterViewModel::shortcutSettingsChanged);
    ShortcutSettings normalized = m_shortcutSettings;
    normalized.normalize();
    if (normalized != m_shortcutSettings)
        setShortcutSettings(normalized); // runs this reaction again, which then saves
    else
        savePreferences();
}

void PrompterViewModel::setIsReadingGuideVisible(bool visible)
{
    store(m_isReadingGuideVisible, visible, &PrompterViewModel::isReadingGuideVisibleChanged);
}

void PrompterViewModel::setIsVoiceSyncEnabled(bool enabled)
{
    store(m_isVoiceSyncEnabled, enabled, &PrompterViewModel::isVoiceSyncEnabledChanged);
}

void PrompterViewModel::setVoiceSyncStatus(const QString &status)
{
    store(m_voiceSyncStatus, status, &PrompterViewModel::voiceSyncStatusChanged);
}

void PrompterViewModel::setVoiceSyncTranscript(const QString &transcript)
{
    store(m_voiceSyncTranscript, transcript, &PrompterViewModel::voiceSyncTranscriptChanged);
}

void PrompterViewModel::setVoiceSyncParagraphIndex(std::optional<std::int64_t> index)
{
    store(m_voiceSyncParagraphIndex, index, &PrompterViewModel::voiceSyncParagraphIndexChanged);
}

void PrompterViewModel::setSpokenReadableCharacterCount(std::int64_t count)
{
    // A count set here stands where the presenter is, not where a step put it, and no move waits
    // on it; an update that steps or holds a move back sets that again.
    m_voiceSyncCountBeforeStep.reset();
    m_voiceSyncHeldBackMove.reset();
    if (store(m_spokenReadableCharacterCount, count, &PrompterViewModel::spokenReadableCharacterCountChanged)) {
        m_spokenCountMovedAt = Clock::now();
        m_voiceSyncHeard = m_voiceSyncHeard.afterCountMoved(true);
    }
}

double PrompterViewModel::readingGuideOffset(double height) const
{
    return std::min(height, std::max(0.0, height * m_readingPosition + m_verticalMargin));
}

void PrompterViewModel::showReadingGuideTemporarily()
{
    setIsReadingGuideVisible(true);
    m_readingGuideTimer->start(); // restarts a pending countdown
}

} // namespace lumetra
