#include "SectionSidebar.h"

#include "IconLabel.h"
#include "ModelObservation.h"
#include "PrompterViewModel.h"
#include "TextStyles.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QVBoxLayout>

namespace lumetra {

namespace {

constexpr int sidebarWidth = 260;
// Narrow windows give the sidebar less so that the editor and the controls keep their widths.
constexpr int sidebarMinimumWidth = 232;
const QColor currentRowFill(255, 149, 0, int(0.18 * 255));
const QColor orange(255, 149, 0);

} // namespace

SectionSidebar::SectionSidebar(PrompterViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_count(new QLabel(this))
    , m_rowsLayout(new QVBoxLayout)
{
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    setMinimumWidth(sidebarMinimumWidth);
    setMaximumWidth(sidebarWidth);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(16);

    auto *heading = new QVBoxLayout;
    heading->setSpacing(6);
    heading->addWidget(
        new IconLabel(QStringLiteral("list.bullet.rectangle"), QStringLiteral("章節"), TextStyles::headline(), this));
    m_count->setFont(TextStyles::caption());
    TextStyles::makeSecondary(m_count);
    heading->addWidget(m_count);
    layout->addLayout(heading);

    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto *list = new QWidget(scroll);
    list->setBackgroundRole(QPalette::Window);
    auto *listLayout = new QVBoxLayout(list);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    m_rowsLayout->setSpacing(8);
    listLayout->addLayout(m_rowsLayout);
    listLayout->addStretch(1);
    scroll->setWidget(list);
    scroll->viewport()->setBackgroundRole(QPalette::Window);
    layout->addWidget(scroll, 1);

    // Rows first: the highlight below reads them.
    observe(&m_model, &PrompterViewModel::documentChanged, this, [this] { updateRows(); });
    observeCurrentChunk(&m_model, this, [this] { highlightCurrentSection(); });
}

void SectionSidebar::updateRows()
{
    const auto &sections = m_model.document().sections;
    // Rows are kept and only their texts change: typing that ends a sentence must not rebuild a
    // long script's whole list.
    while (m_rows.size() > qsizetype(sections.size()))
        delete m_rows.takeLast();
    while (m_rows.size() < qsizetype(sections.size())) {
        const qsizetype position = m_rows.size();
        auto *row = new SectionRowButton(position + 1);
        connect(row, &SectionRowButton::clicked, this, [this, position] {
            const auto &current = m_model.document().sections;
            if (position < qsizetype(current.size()))
                m_model.jump(current[std::size_t(position)]);
        });
        m_rowsLayout->addWidget(row);
        m_rows.append(row);
    }
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        const ScriptSection &section = sections[std::size_t(i)];
        m_rows[i]->setContents(section.title, section.paragraphs.size());
    }
    m_count->setText(QString::number(sections.size()) + QStringLiteral(" 個章節"));
    m_highlightedSection = -1;
}

void SectionSidebar::highlightCurrentSection()
{
    const std::int64_t current = m_model.currentSectionIndex();
    if (current == m_highlightedSection)
        return;
    m_highlightedSection = current;
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        m_rows[i]->setCurrent(i < qsizetype(m_model.document().sections.size())
            && m_model.document().sections[std::size_t(i)].index == current);
}

SectionRowButton::SectionRowButton(qsizetype number, QWidget *parent)
    : QWidget(parent)
    , m_badge(new QLabel(QString::number(number), this))
    , m_title(new QLabel(this))
    , m_count(new QLabel(this))
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    layout->setAlignment(Qt::AlignTop);

    m_badge->setFont(TextStyles::caption(true));
    m_badge->setFixedSize(24, 24);
    m_badge->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_badge, 0, Qt::AlignTop);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(4);
    m_title->setFont(TextStyles::subheadline(true));
    m_title->setWordWrap(true);
    // Two lines at most.
    m_title->setMaximumHeight(2 * QFontMetrics(m_title->font()).lineSpacing());
    texts->addWidget(m_title);
    m_count->setFont(TextStyles::caption());
    TextStyles::makeSecondary(m_count);
    texts->addWidget(m_count);
    layout->addLayout(texts, 1);
    setCurrent(false);
}

void SectionRowButton::setContents(const QString &title, std::size_t paragraphCount)
{
    if (m_title->text() != title) {
        m_title->setText(title);
        setAccessibleName(title);
    }
    const QString count = QString::number(paragraphCount) + QStringLiteral(" 段");
    if (m_count->text() != count)
        m_count->setText(count);
}

QString SectionRowButton::title() const
{
    return m_title->text();
}

void SectionRowButton::setCurrent(bool current)
{
    if (current == m_isCurrent && !m_badge->styleSheet().isEmpty())
        return;
    m_isCurrent = current;
    const QColor separator = palette().color(QPalette::Window).darker(118);
    const QColor secondary = TextStyles::secondaryColor(palette());
    m_badge->setStyleSheet(current
            ? QStringLiteral("background: %1; color: black; border-radius: 6px;").arg(orange.name())
            : QStringLiteral("background: %1; color: %2; border-radius: 6px;").arg(separator.name(), secondary.name()));
    update();
}

void SectionRowButton::paintEvent(QPaintEvent *)
{
    if (!m_isCurrent && !hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    if (m_isCurrent)
        painter.fillPath(path, currentRowFill);
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawPath(path);
    }
}

void SectionRowButton::mousePressEvent(QMouseEvent *event)
{
    event->setAccepted(event->button() == Qt::LeftButton); // the release then comes here
}

void SectionRowButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void SectionRowButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace lumetra
