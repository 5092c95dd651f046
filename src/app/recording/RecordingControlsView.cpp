#include "RecordingControlsView.h"

#include "ElidedLabel.h"
#include "HomeRelativePath.h"
#include "ProminentButton.h"
#include "RecordingColors.h"
#include "RecordingEngine.h"
#include "RecordingMode.h"
#include "RecordingPreviewArea.h"
#include "RecordingTimerBadge.h"
#include "SegmentedPicker.h"
#include "SymbolIcon.h"
#include "SymbolLabel.h"
#include "TextStyle.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumetra {
namespace {

constexpr int rowSpacing = 12;
constexpr int padding = 12;
constexpr double cornerRadius = 8;

QHBoxLayout *rowLayout(QWidget *row, int spacing = -1)
{
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (spacing >= 0)
        layout->setSpacing(spacing);
    return layout;
}

} // namespace

RecordingControlsView::RecordingControlsView(RecordingEngine &engine, QWidget *parent)
    : QWidget(parent)
    , m_engine(engine)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(rowSpacing);
    layout->addWidget(makeHeader());
    layout->addWidget(makeModeRow());
    layout->addWidget(makeCameraRow());
    m_previewArea = new RecordingPreviewArea(m_engine, this);
    layout->addWidget(m_previewArea);
    layout->addWidget(makeActionRow());
    layout->addWidget(makeStatusRow());
    layout->addWidget(makeOutputFolderRow());

    connect(&m_engine, &RecordingEngine::changed, this, &RecordingControlsView::render);
    render();
}

QWidget *RecordingControlsView::makeHeader()
{
    auto *header = new QWidget(this);
    auto *layout = rowLayout(header);
    m_headerIcon = new QLabel(header);
    auto *title = new QLabel(QStringLiteral("內建錄影"), header);
    applyTextStyle(title, TextStyle::subheadline, QFont::DemiBold);
    m_badge = new RecordingTimerBadge(header);
    layout->addWidget(m_headerIcon);
    layout->addWidget(title);
    layout->addStretch();
    layout->addWidget(m_badge);
    return header;
}

QWidget *RecordingControlsView::makeModeRow()
{
    auto *row = new QWidget(this);
    auto *layout = rowLayout(row, 8);
    auto *title = new QLabel(QStringLiteral("模式"), row);
    m_modePicker = new SegmentedPicker(row);
    m_modePicker->setAccessibleName(QStringLiteral("模式"));
    for (const RecordingMode mode : allRecordingModes())
        m_modePicker->addSegment(int(mode), recordingModeTitle(mode), recordingModeSystemImage(mode));
    title->setBuddy(m_modePicker);
    layout->addWidget(title);
    layout->addWidget(m_modePicker, 1);
    connect(m_modePicker, &SegmentedPicker::picked, this,
        [this](int id) { m_engine.setMode(static_cast<RecordingMode>(id)); });
    return row;
}

QWidget *RecordingControlsView::makeCameraRow()
{
    m_cameraRow = new QWidget(this);
    auto *layout = rowLayout(m_cameraRow, 8);
    m_cameraPicker = new QComboBox(m_cameraRow);
    m_cameraPicker->setAccessibleName(QStringLiteral("相機"));
    m_cameraPicker->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cameraPicker->setMinimumContentsLength(8);
    m_cameraPicker->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_refreshButton = new QToolButton(m_cameraRow);
    m_refreshButton->setIcon(symbolIcon(QStringLiteral("arrow.clockwise")));
    m_refreshButton->setToolTip(QStringLiteral("重新偵測相機"));
    m_refreshButton->setAccessibleName(QStringLiteral("重新偵測相機"));
    layout->addWidget(m_cameraPicker, 1);
    layout->addWidget(m_refreshButton);
    connect(m_cameraPicker, &QComboBox::activated, this, &RecordingControlsView::pickCamera);
    connect(m_refreshButton, &QToolButton::clicked, &m_engine, &RecordingEngine::refreshAvailableCameras);
    return m_cameraRow;
}

QWidget *RecordingControlsView::makeActionRow()
{
    auto *row = new QWidget(this);
    auto *layout = rowLayout(row, 8);
    m_recordButton = new QPushButton(row);
    m_recordButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_revealButton = new QPushButton(symbolIcon(QStringLiteral("folder")), QStringLiteral("顯示檔案"), row);
    layout->addWidget(m_recordButton, 1);
    layout->addWidget(m_revealButton);
    connect(m_recordButton, &QPushButton::clicked, this, &RecordingControlsView::toggleRecording);
    connect(m_revealButton, &QPushButton::clicked, &m_engine, &RecordingEngine::revealLastOutput);
    return row;
}

QWidget *RecordingControlsView::makeStatusRow()
{
    auto *row = new QWidget(this);
    auto *layout = rowLayout(row, 8);
    layout->setAlignment(Qt::AlignTop);
    m_statusIcon = new QLabel(row);
    m_statusLabel = new QLabel(row);
    applyTextStyle(m_statusLabel, TextStyle::caption);
    applyTextColor(m_statusLabel, secondaryTextColor(palette()));
    m_statusLabel->setWordWrap(true);
    m_statusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines at most: a long platform error must not push the folder row away.
    m_statusLabel->setMaximumHeight(2 * m_statusLabel->fontMetrics().lineSpacing());
    m_statusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(m_statusIcon, 0, Qt::AlignTop);
    layout->addWidget(m_statusLabel, 1);
    return row;
}

QWidget *RecordingControlsView::makeOutputFolderRow()
{
    auto *row = new QWidget(this);
    auto *layout = rowLayout(row, 8);
    auto *text = new QWidget(row);
    auto *textLayout = new QVBoxLayout(text);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->setSpacing(2);
    auto *caption = new QLabel(QStringLiteral("輸出資料夾"), text);
    applyTextStyle(caption, TextStyle::caption2);
    applyTextColor(caption, secondaryTextColor(palette()));
    m_folderPath = new ElidedLabel(text);
    m_folderPath->setElideMode(Qt::ElideMiddle);
    m_folderPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    applyTextStyle(m_folderPath, TextStyle::caption);
    applyTextColor(m_folderPath, secondaryTextColor(palette()));
    textLayout->addWidget(caption);
    textLayout->addWidget(m_folderPath);
    text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_folderButton = new QToolButton(row);
    m_folderButton->setIcon(symbolIcon(QStringLiteral("ellipsis")));
    m_folderButton->setToolTip(QStringLiteral("更改輸出資料夾"));
    m_folderButton->setAccessibleName(QStringLiteral("更改輸出資料夾"));
    layout->addWidget(text, 1);
    layout->addWidget(m_folderButton);
    connect(m_folderButton, &QToolButton::clicked, &m_engine, &RecordingEngine::chooseOutputDirectory);
    return row;
}

void RecordingControlsView::render()
{
    const bool busy = m_engine.isRecording() || m_engine.isStopping();
    const RecordingMode mode = m_engine.mode();

    if (m_headerSymbol != recordingModeSystemImage(mode)) {
        m_headerSymbol = recordingModeSystemImage(mode);
        showSymbol(m_headerIcon, m_headerSymbol,
            QFontMetrics(textStyleFont(TextStyle::subheadline, QFont::DemiBold)).height());
    }
    m_badge->setRecording(m_engine.isRecording());
    m_badge->setText(RecordingEngine::formatDuration(m_engine.elapsedTime()));

    m_modePicker->setCurrentId(int(mode));
    m_modePicker->setEnabled(!busy);

    const bool recordsCamera = mode == RecordingMode::cameraAndMicrophone;
    m_cameraRow->setVisible(recordsCamera);
    m_previewArea->setVisible(recordsCamera);
    renderCameraPicker(busy);
    m_refreshButton->setEnabled(!busy);

    renderRecordButton();
    m_recordButton->setEnabled(!m_engine.isStopping());
    m_revealButton->setEnabled(!m_engine.lastOutputURL().isEmpty());

    const QString statusSymbol
        = m_engine.isRecording() ? QStringLiteral("record.circle.fill") : QStringLiteral("checkmark.circle");
    if (m_statusSymbol != statusSymbol) {
        m_statusSymbol = statusSymbol;
        showSymbol(m_statusIcon, m_statusSymbol, m_statusLabel->fontMetrics().height(),
            m_engine.isRecording() ? recordingRed() : secondaryTextColor(palette()));
    }
    m_statusLabel->setText(m_engine.statusMessage());

    m_folderPath->setText(homeRelativePath(m_engine.outputDirectory().toLocalFile()));
    m_folderButton->setEnabled(!busy);
}

void RecordingControlsView::renderCameraPicker(bool busy)
{
    const QList<CameraDevice> cameras = m_engine.availableCameras();
    if (cameras != m_shownCameras || m_cameraPicker->count() == 0) {
        const QSignalBlocker blocker(m_cameraPicker);
        m_cameraPicker->clear();
        if (cameras.isEmpty())
            m_cameraPicker->addItem(QStringLiteral("找不到相機"));
        for (const CameraDevice &camera : cameras)
            m_cameraPicker->addItem(camera.localizedName, camera.uniqueID);
        m_shownCameras = cameras;
    }
    const std::optional<QString> selected = m_engine.selectedCameraID();
    const int index = cameras.isEmpty() ? 0 : (selected ? m_cameraPicker->findData(*selected) : -1);
    if (m_cameraPicker->currentIndex() != index) {
        const QSignalBlocker blocker(m_cameraPicker);
        m_cameraPicker->setCurrentIndex(index);
    }
    m_cameraPicker->setEnabled(!busy && !cameras.isEmpty());
}

void RecordingControlsView::renderRecordButton()
{
    const bool recording = m_engine.isRecording();
    if (m_shownRecording == recording)
        return;
    m_shownRecording = recording;
    m_recordButton->setText(recording ? QStringLiteral("停止") : QStringLiteral("開始"));
    m_recordButton->setIcon(
        symbolIcon(recording ? QStringLiteral("stop.fill") : QStringLiteral("record.circle"), Qt::white));
    makeProminent(m_recordButton, recording ? recordingRed() : QColor());
}

void RecordingControlsView::toggleRecording()
{
    // As its own step on the main thread: a start may wait for a consent answer.
    QMetaObject::invokeMethod(
        &m_engine,
        [engine = &m_engine] {
            if (engine->isRecording())
                engine->stopRecording();
            else
                engine->startRecording();
        },
        Qt::QueuedConnection);
}

void RecordingControlsView::pickCamera(int index)
{
    const QVariant cameraID = m_cameraPicker->itemData(index);
    if (cameraID.isValid())
        m_engine.setSelectedCameraID(cameraID.toString());
}

void RecordingControlsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath background;
    background.addRoundedRect(rect(), cornerRadius, cornerRadius);
    painter.fillPath(background, palette().color(QPalette::Base));
}

} // namespace lumetra
