#pragma once

#include <cstdint>

#include <QList>
#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace lumetra {

class PrompterViewModel;
class SectionRowButton;

// The sidebar: the script's sections, the current one highlighted; a row jumps to its section.
class SectionSidebar : public QWidget {
    Q_OBJECT
public:
    explicit SectionSidebar(PrompterViewModel &model, QWidget *parent = nullptr);

    QList<SectionRowButton *> rows() const { return m_rows; }

private:
    void updateRows();
    void highlightCurrentSection();

    PrompterViewModel &m_model;
    QLabel *m_count;
    QVBoxLayout *m_rowsLayout;
    QList<SectionRowButton *> m_rows;
    // The section highlighted now; -1 after the rows changed. The highlight is asked for on every
    // frame of playback and only does work when the section changes.
    std::int64_t m_highlightedSection = -1;
};

// One section row: number badge, title (two lines at most) and chunk count.
class SectionRowButton : public QWidget {
    Q_OBJECT
public:
    explicit SectionRowButton(qsizetype number, QWidget *parent = nullptr);

    void setContents(const QString &title, std::size_t paragraphCount);
    QString title() const;
    void setCurrent(bool current);
    bool isCurrent() const { return m_isCurrent; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_badge;
    QLabel *m_title;
    QLabel *m_count;
    bool m_isCurrent = false;
};

} // namespace lumetra
