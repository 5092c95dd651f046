#pragma once

#include "ParagraphGeometry.h"
#include "RecordingEngine.h"
#include "ScriptChunkIndex.h"
#include "ScriptDocument.h"
#include "ScriptFileError.h"
#include "ShortcutSettings.h"
#include "VoiceSyncAligner.h"
#include "VoiceSyncEngine.h"
#include "VoiceSyncUpdate.h"

#include <QEasingCurve>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

class QTimer;

namespace lumetra {

// The one shared state of the prompter: the script and its parse, every prompter setting, the
// playback state and scroll position, the chunk geometry and the Voice Sync state. Lives on the
// main thread. Every setter stores the value, signals a change (when there is one) and then runs
// the property's reaction, whoever calls it, also for an equal value; only an identical script
// text is no edit and runs nothing.
class PrompterViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString scriptText READ scriptText WRITE setScriptText NOTIFY scriptTextChanged)
    Q_PROPERTY(lumetra::ScriptDocument document READ document NOTIFY documentChanged)
    Q_PROPERTY(QString currentFileURL READ currentFileURL NOTIFY currentFileURLChanged)
    Q_PROPERTY(QString documentTitle READ documentTitle NOTIFY currentFileURLChanged)
    Q_PROPERTY(bool isDirty READ isDirty NOTIFY isDirtyChanged)
    Q_PROPERTY(QString statusMessage READ statusMessage WRITE setStatusMessage NOTIFY statusMessageChanged)
    Q_PROPERTY(bool isPlaying READ isPlaying NOTIFY isPlayingChanged)
    Q_PROPERTY(double scrollSpeed READ scrollSpeed WRITE setScrollSpeed NOTIFY scrollSpeedChanged)
    Q_PROPERTY(double fontSize READ fontSize WRITE setFontSize NOTIFY fontSizeChanged)
    Q_PROPERTY(double lineSpacing READ lineSpacing WRITE setLineSpacing NOTIFY lineSpacingChanged)
    Q_PROPERTY(double scrollOffset READ scrollOffset WRITE setScrollOffset NOTIFY scrollOffsetChanged)
    Q_PROPERTY(bool isHorizontallyFlipped READ isHorizontallyFlipped WRITE setIsHorizontallyFlipped NOTIFY
            isHorizontallyFlippedChanged)
    Q_PROPERTY(double textBrightness READ textBrightness WRITE setTextBrightness NOTIFY textBrightnessChanged)
    Q_PROPERTY(double backgroundBrightness READ backgroundBrightness WRITE setBackgroundBrightness NOTIFY
            backgroundBrightnessChanged)
    Q_PROPERTY(double displayContrast READ displayContrast WRITE setDisplayContrast NOTIFY displayContrastChanged)
    Q_PROPERTY(double horizontalMargin READ horizontalMargin WRITE setHorizontalMargin NOTIFY horizontalMarginChanged)
    Q_PROPERTY(double verticalMargin READ verticalMargin WRITE setVerticalMargin NOTIFY verticalMarginChanged)
    Q_PROPERTY(double readingPosition READ readingPosition WRITE setReadingPosition NOTIFY readingPositionChanged)
    Q_PROPERTY(bool isReadingGuidePinned READ isReadingGuidePinned WRITE setIsReadingGuidePinned NOTIFY
            isReadingGuidePinnedChanged)
    Q_PROPERTY(bool isReadingGuideVisible READ isReadingGuideVisible WRITE setIsReadingGuideVisible NOTIFY
            isReadingGuideVisibleChanged)
    Q_PROPERTY(
        bool isHighlightEnabled READ isHighlightEnabled WRITE setIsHighlightEnabled NOTIFY isHighlightEnabledChanged)
    Q_PROPERTY(double readTextOpacity READ readTextOpacity WRITE setReadTextOpacity NOTIFY readTextOpacityChanged)
    Q_PROPERTY(bool isAutoLoopEnabled READ isAutoLoopEnabled WRITE setIsAutoLoopEnabled NOTIFY isAutoLoopEnabledChanged)
    Q_PROPERTY(
        bool isVoiceSyncEnabled READ isVoiceSyncEnabled WRITE setIsVoiceSyncEnabled NOTIFY isVoiceSyncEnabledChanged)
    Q_PROPERTY(QString voiceSyncStatus READ voiceSyncStatus WRITE setVoiceSyncStatus NOTIFY voiceSyncStatusChanged)
    Q_PROPERTY(QString voiceSyncTranscript READ voiceSyncTranscript WRITE setVoiceSyncTranscript NOTIFY
            voiceSyncTranscriptChanged)
    Q_PROPERTY(std::optional<std::int64_t> voiceSyncParagraphIndex READ voiceSyncParagraphIndex WRITE
            setVoiceSyncParagraphIndex NOTIFY voiceSyncParagraphIndexChanged)
    Q_PROPERTY(std::int64_t spokenReadableCharacterCount READ spokenReadableCharacterCount WRITE
            setSpokenReadableCharacterCount NOTIFY spokenReadableCharacterCountChanged)
    Q_PROPERTY(lumetra::ShortcutSettings shortcutSettings READ shortcutSettings WRITE setShortcutSettings NOTIFY
            shortcutSettingsChanged)
    Q_PROPERTY(bool isPresentingScriptImporter READ isPresentingScriptImporter WRITE setIsPresentingScriptImporter
            NOTIFY isPresentingScriptImporterChanged)
    Q_PROPERTY(bool isPresentingScriptExporter READ isPresentingScriptExporter WRITE setIsPresentingScriptExporter
            NOTIFY isPresentingScriptExporterChanged)

public:
    using Clock = std::chrono::steady_clock;

    // How long the reading guide stays after a temporary showing.
    static constexpr std::chrono::milliseconds readingGuideShowDuration { 2000 };
    // Chunk jumps: the display eases its visible position to the new offset.
    static constexpr double paragraphJumpDuration = 0.22;

    // The model owns the one recording engine for its whole life and announces each of its changes
    // as recordingEngineChanged().
    PrompterViewModel(const QString &initialScriptText, std::unique_ptr<RecordingEngine> recordingEngine,
                      QObject *parent = nullptr);
    // Starts with the built-in sample script.
    explicit PrompterViewModel(std::unique_ptr<RecordingEngine> recordingEngine, QObject *parent = nullptr);
    ~PrompterViewModel() override;

    // --- Recording ---
    RecordingEngine &recordingEngine() const { return *m_recordingEngine; }
    // Stops a running recording or starts one, on the main thread's next turn; returns at once.
    void toggleRecording();

    // --- Script and files ---
    const QString &scriptText() const { return m_scriptText; }
    void setScriptText(const QString &text);
    const ScriptDocument &document() const { return m_document; }
    // Absolute path of the file the text was opened from or last saved to; empty for none.
    const QString &currentFileURL() const { return m_currentFileURL; }
    bool isDirty() const { return m_isDirty; }
    const QString &statusMessage() const { return m_statusMessage; }
    void setStatusMessage(const QString &message);
    bool isPresentingScriptImporter() const { return m_isPresentingScriptImporter; }
    void setIsPresentingScriptImporter(bool presenting);
    bool isPresentingScriptExporter() const { return m_isPresentingScriptExporter; }
    void setIsPresentingScriptExporter(bool presenting);
    bool isApplyingFileChange() const { return m_isApplyingFileChange; }

    QString documentTitle() const;
    QString suggestedScriptFilename() const;
    // MIME types the open panel offers, in order: plain text, then the Markdown type of the "md"
    // and "markdown" extensions when the system knows it.
    static const QStringList &scriptFileTypes();

    void newScript();
    // The open panel's result: the chosen files (the first is opened; none does nothing) or an error.
    void completeScriptImport(const std::variant<QStringList, ScriptFileError> &result);
    void saveScript();
    void writeScript(const QString &path);
    // The save panel's result, after it has written the document: the written file or an error.
    void completeScriptExport(const std::variant<QString, ScriptFileError> &result);

    // --- Settings mirrored in the preferences ---
    double scrollSpeed() const { return m_scrollSpeed; }
    void setScrollSpeed(double speed);
    double fontSize() const { return m_fontSize; }
    void setFontSize(double size);
    double lineSpacing() const { return m_lineSpacing; }
    void setLineSpacing(double spacing);
    bool isHorizontallyFlipped() const { return m_isHorizontallyFlipped; }
    void setIsHorizontallyFlipped(bool flipped);
    double textBrightness() const { return m_textBrightness; }
    void setTextBrightness(double brightness);
    double backgroundBrightness() const { return m_backgroundBrightness; }
    void setBackgroundBrightness(double brightness);
    double displayContrast() const { return m_displayContrast; }
    void setDisplayContrast(double contrast);
    double horizontalMargin() const { return m_horizontalMargin; }
    void setHorizontalMargin(double margin);
    double verticalMargin() const { return m_verticalMargin; }
    void setVerticalMargin(double margin);
    double readingPosition() const { return m_readingPosition; }
    void setReadingPosition(double position);
    bool isReadingGuidePinned() const { return m_isReadingGuidePinned; }
    void setIsReadingGuidePinned(bool pinned);
    bool isHighlightEnabled() const { return m_isHighlightEnabled; }
    void setIsHighlightEnabled(bool enabled);
    double readTextOpacity() const { return m_readTextOpacity; }
    void setReadTextOpacity(double opacity);
    bool isAutoLoopEnabled() const { return m_isAutoLoopEnabled; }
    void setIsAutoLoopEnabled(bool enabled);
    const ShortcutSettings &shortcutSettings() const { return m_shortcutSettings; }
    void setShortcutSettings(const ShortcutSettings &settings);

    bool isRestoringPreferences() const { return m_isRestoringPreferences; }
    void restorePreferences();
    void savePreferences();

    // The speed commands of keys, menus and buttons: one step of 4 within 2 … 180, then a save.
    void decreaseScrollSpeed();
    void increaseScrollSpeed();
    // A plain key from the application-wide key hook; true when it belonged to a shortcut.
    bool handlePlainShortcut(const QString &key);

    // --- Playback ---
    bool isPlaying() const { return m_isPlaying; }
    double scrollOffset() const { return m_scrollOffset; }
    void setScrollOffset(double offset);
    std::optional<Clock::time_point> lastTickDate() const { return m_lastTickDate; }

    void play();
    void togglePlayback();
    void rewind();
    void jumpToStart();
    // One frame of fixed-speed playback, with the frame's time on the monotonic clock.
    void advanceScroll(Clock::time_point now);
    void clampScrollOffset();

    // --- Reading guide ---
    bool isReadingGuideVisible() const { return m_isReadingGuideVisible; }
    void setIsReadingGuideVisible(bool visible);
    double readingGuideOffset(double height) const;
    void showReadingGuideTemporarily();

    // --- Voice Sync state (the alignment drives these) ---
    bool isVoiceSyncEnabled() const { return m_isVoiceSyncEnabled; }
    void setIsVoiceSyncEnabled(bool enabled);
    const QString &voiceSyncStatus() const { return m_voiceSyncStatus; }
    void setVoiceSyncStatus(const QString &status);
    const QString &voiceSyncTranscript() const { return m_voiceSyncTranscript; }
    void setVoiceSyncTranscript(const QString &transcript);
    std::optional<std::int64_t> voiceSyncParagraphIndex() const { return m_voiceSyncParagraphIndex; }
    void setVoiceSyncParagraphIndex(std::optional<std::int64_t> index);
    std::int64_t spokenReadableCharacterCount() const { return m_spokenReadableCharacterCount; }
    void setSpokenReadableCharacterCount(std::int64_t count);

    // --- Voice Sync ---
    // Voice Sync scrolls: the display eases to the spoken chunk over this time.
    static constexpr double voiceSyncScrollDuration = 0.3;

    // Makes the engine of each Voice Sync run, as a child of `parent`. The application passes
    // the offline engine on the real microphone, tests a scripted one.
    using VoiceSyncEngineFactory = std::function<VoiceSyncEngine *(QObject *parent)>;
    void setVoiceSyncEngineFactory(VoiceSyncEngineFactory factory);
    // The engine of the running Voice Sync, if any.
    VoiceSyncEngine *voiceSyncEngine() const { return m_voiceSyncEngine; }
    // Whether a Voice Sync run is in progress (starting or listening).
    bool isVoiceSyncRunning() const { return m_voiceSyncTask.has_value(); }

    void startVoiceSync();
    void stopVoiceSync();
    // How many of the chunk's readable characters count as spoken (for the read-text dimming).
    std::int64_t spokenReadableCount(const ScriptParagraph &paragraph) const;

    // --- Geometry and navigation ---
    // The chunks of the current document, in order (chunk i is element i).
    const std::vector<ScriptParagraph> &paragraphs() const { return m_chunks.paragraphs(); }
    const ScriptChunkIndex &chunkIndex() const { return m_chunks; }
    const ParagraphMidpoints &measuredParagraphMidpoints() const { return m_geometry.measuredMidpoints(); }

    double readingContentY(std::int64_t paragraph) const;
    std::int64_t paragraphIndex(double contentY) const;
    std::int64_t paragraphIndexForReadableCharacterCount(std::int64_t count) const;
    void updateParagraphMidpoints(const ParagraphMidpoints &midpoints);
    void scrollToParagraph(std::int64_t paragraph, bool animated);
    void moveToNextSentence();
    void moveToPreviousSentence();
    void jump(const ScriptSection &section);
    // `offset` is a position in UTF-16 code units of scriptText (the editor's click).
    void jumpToSourceOffset(qsizetype offset);
    void jumpToParagraphForManualControl(std::int64_t paragraph);

    std::int64_t currentParagraphIndex() const;
    std::int64_t currentSectionIndex() const;
    QString currentSectionTitle() const;
    std::int64_t readThroughParagraphIndex() const;
    QString visualProgressText() const;

signals:
    void recordingEngineChanged();
    void scriptTextChanged();
    void documentChanged();
    void currentFileURLChanged();
    void isDirtyChanged();
    void statusMessageChanged();
    void isPlayingChanged();
    void scrollSpeedChanged();
    void fontSizeChanged();
    void lineSpacingChanged();
    void scrollOffsetChanged();
    void isHorizontallyFlippedChanged();
    void textBrightnessChanged();
    void backgroundBrightnessChanged();
    void displayContrastChanged();
    void horizontalMarginChanged();
    void verticalMarginChanged();
    void readingPositionChanged();
    void isReadingGuidePinnedChanged();
    void isReadingGuideVisibleChanged();
    void isHighlightEnabledChanged();
    void readTextOpacityChanged();
    void isAutoLoopEnabledChanged();
    void isVoiceSyncEnabledChanged();
    void voiceSyncStatusChanged();
    void voiceSyncTranscriptChanged();
    void voiceSyncParagraphIndexChanged();
    void spokenReadableCharacterCountChanged();
    void shortcutSettingsChanged();
    void isPresentingScriptImporterChanged();
    void isPresentingScriptExporterChanged();
    void measuredParagraphMidpointsChanged();

    // The offset has jumped from `from` to `to`; the display eases its visible position between
    // them over `durationSeconds` with `curve` instead of jumping.
    void scrollAnimationRequested(double from, double to, double durationSeconds, QEasingCurve::Type curve);

private:
    // Declared first: the recording engine is made before everything else and outlives it.
    std::unique_ptr<RecordingEngine> m_recordingEngine;
    QMetaObject::Connection m_recordingEngineCancellable;

    template <typename T> bool store(T &field, const T &value, void (PrompterViewModel::*changed)());

    void setIsPlaying(bool playing);
    void stopPlayback();
    void setIsDirty(bool dirty);
    void setCurrentFileURL(const QString &path);
    void replaceScriptByFileOperation(const QString &text, const QString &path);
    // Sets the offset and clamps it as one animated move of the display.
    void animateScroll(double target, double durationSeconds, QEasingCurve::Type curve);

    void finishVoiceSyncStart(quint64 run, const std::optional<VoiceSyncError> &error);
    void cancelVoiceSyncTask();
    void handleVoiceSyncUpdate(const VoiceSyncUpdate &update);
    void scrollToReadableCharacterCount(std::int64_t count);

    QString m_scriptText;
    ScriptDocument m_document;
    ScriptChunkIndex m_chunks;
    QString m_currentFileURL;
    bool m_isDirty = false;
    QString m_statusMessage;
    bool m_isPlaying = false;
    double m_scrollSpeed = 42;
    double m_fontSize = 54;
    double m_lineSpacing = 14;
    double m_scrollOffset = 0;
    bool m_isHorizontallyFlipped = false;
    double m_textBrightness = 1;
    double m_backgroundBrightness = 0;
    double m_displayContrast = 1;
    double m_horizontalMargin = 8;
    double m_verticalMargin = 0;
    double m_readingPosition = 0.35;
    bool m_isReadingGuidePinned = true;
    bool m_isReadingGuideVisible = true;
    bool m_isHighlightEnabled = true;
    double m_readTextOpacity = 0.28;
    bool m_isAutoLoopEnabled = false;
    bool m_isVoiceSyncEnabled = false;
    QString m_voiceSyncStatus;
    QString m_voiceSyncTranscript;
    std::optional<std::int64_t> m_voiceSyncParagraphIndex;
    std::int64_t m_spokenReadableCharacterCount = 0;
    ShortcutSettings m_shortcutSettings;
    bool m_isRestoringPreferences = false;
    bool m_isApplyingFileChange = false;
    std::optional<Clock::time_point> m_lastTickDate;
    QTimer *m_readingGuideTimer = nullptr; // owned child: it dies with the model, so it never fires on a dead one
    ParagraphGeometry m_geometry;
    bool m_isPresentingScriptImporter = false;
    bool m_isPresentingScriptExporter = false;

    VoiceSyncEngineFactory m_voiceSyncEngineFactory;
    QPointer<VoiceSyncEngine> m_voiceSyncEngine; // a child, deleted after its stop()
    // The run whose start and updates may still change the model; cancelling clears it, so a
    // start or an update of an older run finds a different number and leaves everything alone.
    std::optional<quint64> m_voiceSyncTask;
    quint64 m_voiceSyncRuns = 0;
    QMetaObject::Connection m_voiceSyncUpdates;
    // Built from the chunks on the first update after each parse.
    VoiceSyncAligner m_voiceSyncAligner;
    bool m_isVoiceSyncAlignerCurrent = false;
    // When the spoken count last moved: far moves soon after need a clear match.
    Clock::time_point m_spokenCountMovedAt = Clock::now();
    // The recent words across recognition runs, for the alignment to follow them.
    HeardSpeech m_voiceSyncHeard;
    // Set while the count stands where the alignment stepped it toward the presenter.
    std::optional<std::int64_t> m_voiceSyncCountBeforeStep;
    // Set while the alignment waits for more words before a move that leaves out a sentence.
    std::optional<VoiceSyncMatch> m_voiceSyncHeldBackMove;
};

} // namespace lumetra
