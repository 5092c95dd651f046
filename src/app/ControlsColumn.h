#pragma once

#include <QScrollArea>

#include <array>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace lumetra {

class ControlSliderRow;
class PrompterViewModel;
class ShortcutFieldRow;

// The controls column: playback, layout, display, shortcut keys, reading progress, Voice Sync and
// recording, each control reading and writing the model.
class ControlsColumn : public QScrollArea {
    Q_OBJECT
public:
    explicit ControlsColumn(PrompterViewModel &model, QWidget *parent = nullptr);

    // About its minimum: the script beside it takes the rest of the window.
    QSize sizeHint() const override;

    ControlSliderRow *slider(const QString &title) const;
    ShortcutFieldRow *shortcutField(const QString &title) const;
    QPushButton *button(const QString &text) const;
    QCheckBox *toggle(const QString &text) const;
    QWidget &voiceSyncNotice() const { return *m_voiceSyncNotice; }
    QLabel &voiceSyncStatus() const { return *m_voiceSyncStatus; }
    QLabel &voiceSyncTranscript() const { return *m_transcript; }
    QProgressBar &progressBar() const { return *m_progress; }
    QLabel &progressText() const { return *m_progressText; }

private:
    void addPlaybackControls();
    void addLayoutControls();
    void addDisplayGroup();
    void addShortcutGroup();
    void addProgressGroup();
    void addVoiceSyncGroup();

    void addDivider();
    QVBoxLayout *addGroup(const QString &heading, int spacing);
    ControlSliderRow *addSlider(QVBoxLayout *layout, const QString &title, double minimum, double maximum,
        std::function<QString(double)> valueText, double (PrompterViewModel::*read)() const,
        void (PrompterViewModel::*changed)(), std::function<void(double)> write);
    QCheckBox *addToggle(QVBoxLayout *layout, const QString &title, bool (PrompterViewModel::*read)() const,
        void (PrompterViewModel::*changed)(), void (PrompterViewModel::*write)(bool));
    QPushButton *makeButton(const QString &text, const QString &symbol);
    void updateVoiceSyncEnabling();

    PrompterViewModel &m_model;
    QVBoxLayout *m_layout;
    ControlSliderRow *m_speedSlider = nullptr;
    QWidget *m_speedButtons = nullptr;
    QCheckBox *m_autoLoop = nullptr;
    QWidget *m_voiceSyncNotice = nullptr;
    QLabel *m_voiceSyncStatus = nullptr;
    QLabel *m_transcript = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_progressText = nullptr;
};

} // namespace lumetra
