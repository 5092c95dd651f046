#pragma once

#include <QList>
#include <QWidget>

#include <utility>
#include <vector>

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
    void rebuildRowsIfSectionsChanged();
    void highlightCurrentSection();

    PrompterViewModel &m_model;
    QLabel *m_count;
    QVBoxLayout *m_rowsLayout;
    QList<SectionRowButton *> m_rows;
    // What the rows show (title and chunk count per section): typing inside a chunk keeps the rows.
    std::vector<std::pair<QString, std::size_t>> m_shownSections;
};

// One section row: number badge, title (two lines at most) and chunk count.
class SectionRowButton : public QWidget {
    Q_OBJECT
public:
    SectionRowButton(std::int64_t number, const QString &title, std::size_t paragraphCount, QWidget *parent = nullptr);

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
    bool m_isCurrent = false;
};

} // namespace lumetra
