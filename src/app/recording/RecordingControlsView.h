#pragma once

#include "CameraDevice.h"

#include <QList>
#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace lumetra {

class ElidedLabel;
class RecordingEngine;
class RecordingPreviewArea;
class RecordingTimerBadge;
class SegmentedPicker;

// The recording panel of the control window: timer badge, mode and camera pickers, the live 16:9
// preview, start and stop, the last file, the engine's status and the output folder. It keeps no
// state of its own: everything shown is read from the engine whenever the engine changes.
class RecordingControlsView : public QWidget {
    Q_OBJECT
public:
    explicit RecordingControlsView(RecordingEngine &engine, QWidget *parent = nullptr);

    RecordingTimerBadge *timerBadge() const { return m_badge; }
    SegmentedPicker *modePicker() const { return m_modePicker; }
    QWidget *cameraRow() const { return m_cameraRow; }
    QComboBox *cameraPicker() const { return m_cameraPicker; }
    QToolButton *refreshCamerasButton() const { return m_refreshButton; }
    RecordingPreviewArea *previewArea() const { return m_previewArea; }
    QPushButton *recordButton() const { return m_recordButton; }
    QPushButton *revealButton() const { return m_revealButton; }
    QLabel *statusLabel() const { return m_statusLabel; }
    ElidedLabel *outputFolderLabel() const { return m_folderPath; }
    QToolButton *outputFolderButton() const { return m_folderButton; }
    // The symbol the header shows for the current mode.
    QString headerSymbol() const { return m_headerSymbol; }
    QString statusSymbol() const { return m_statusSymbol; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *makeHeader();
    QWidget *makeModeRow();
    QWidget *makeCameraRow();
    QWidget *makeActionRow();
    QWidget *makeStatusRow();
    QWidget *makeOutputFolderRow();

    void render();
    void renderCameraPicker(bool busy);
    void renderRecordButton();
    void toggleRecording();
    void pickCamera(int index);

    RecordingEngine &m_engine;
    RecordingTimerBadge *m_badge = nullptr;
    QLabel *m_headerIcon = nullptr;
    SegmentedPicker *m_modePicker = nullptr;
    QWidget *m_cameraRow = nullptr;
    QComboBox *m_cameraPicker = nullptr;
    QToolButton *m_refreshButton = nullptr;
    RecordingPreviewArea *m_previewArea = nullptr;
    QPushButton *m_recordButton = nullptr;
    QPushButton *m_revealButton = nullptr;
    QLabel *m_statusIcon = nullptr;
    QLabel *m_statusLabel = nullptr;
    ElidedLabel *m_folderPath = nullptr;
    QToolButton *m_folderButton = nullptr;

    QString m_headerSymbol;
    QString m_statusSymbol;
    QList<CameraDevice> m_shownCameras;
    std::optional<bool> m_shownRecording;
};

} // namespace lumetra
