#include "RecordingPreviewArea.h"

#include "ProminentButton.h"
#include "RecordingEngine.h"
#include "RecordingPreviewView.h"
#include "SymbolLabel.h"
#include "TextStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace lumetra {
namespace {

constexpr int tagInset = 8;

} // namespace

RecordingPreviewArea::RecordingPreviewArea(RecordingEngine &engine, QWidget *parent)
    : QWidget(parent)
    , m_engine(engine)
    , m_preview(new RecordingPreviewView(engine, this))
    , m_placeholder(new QWidget(this))
    , m_placeholderIcon(new QLabel(m_placeholder))
    , m_startPreviewButton(new QPushButton(QStringLiteral("開啟預覽"), m_placeholder))
    , m_tag(new QLabel(QStringLiteral("16:9"), this))
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    auto *placeholderLayout = new QVBoxLayout(m_placeholder);
    placeholderLayout->setSpacing(10);
    placeholderLayout->addStretch();
    placeholderLayout->addWidget(m_placeholderIcon, 0, Qt::AlignHCenter);
    placeholderLayout->addWidget(m_startPreviewButton, 0, Qt::AlignHCenter);
    placeholderLayout->addStretch();
    showSymbol(
        m_placeholderIcon, QStringLiteral("video"), QFontMetrics(textStyleFont(TextStyle::title2)).height(), Qt::white);
    makeProminent(m_startPreviewButton);
    connect(m_startPreviewButton, &QPushButton::clicked, &m_engine, [this] {
        QMetaObject::invokeMethod(&m_engine, &RecordingEngine::startPreviewRequestingPermission, Qt::QueuedConnection);
    });

    applyTextStyle(m_tag, TextStyle::caption2, QFont::DemiBold);
    // A capsule: the corner radius is half the height the padded text takes.
    const int tagHeight = m_tag->fontMetrics().height() + 2 * 4;
    m_tag->setStyleSheet(QStringLiteral("QLabel { color: rgba(255, 255, 255, 209); background: rgba(0, 0, 0, 115);"
                                        " padding: 0px 7px; border-radius: %1px; }")
                             .arg(tagHeight / 2));
    m_tag->setFixedHeight(tagHeight);
    m_tag->adjustSize();

    connect(&m_engine, &RecordingEngine::isPreviewRunningChanged, this, &RecordingPreviewArea::render);
    render();
}

int RecordingPreviewArea::heightForWidth(int width) const
{
    return int(std::lround(width / aspectRatio));
}

QSize RecordingPreviewArea::sizeHint() const
{
    return { 320, heightForWidth(320) };
}

QSize RecordingPreviewArea::minimumSizeHint() const
{
    return { 160, heightForWidth(160) };
}

void RecordingPreviewArea::render()
{
    m_placeholder->setVisible(!m_engine.isPreviewRunning());
}

void RecordingPreviewArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

void RecordingPreviewArea::placeChildren()
{
    // The layout may give more height than the width asks for: the frame keeps 16:9 and sits centred.
    const int frameHeight = std::min(height(), heightForWidth(width()));
    const int frameWidth = std::min(width(), int(std::lround(frameHeight * aspectRatio)));
    const QRect frame((width() - frameWidth) / 2, (height() - frameHeight) / 2, frameWidth, frameHeight);
    m_preview->setGeometry(frame);
    m_placeholder->setGeometry(frame);
    m_tag->move(frame.topLeft() + QPoint(tagInset, tagInset));
    m_tag->raise();
}

} // namespace lumetra
