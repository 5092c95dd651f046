#pragma once

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;

namespace lumetra {

// A row of joined, mutually exclusive segments, each an icon and a title; one is current.
class SegmentedPicker : public QWidget {
    Q_OBJECT
public:
    explicit SegmentedPicker(QWidget *parent = nullptr);

    // Adds a segment standing for `id` (ids are small non-negative numbers) at the end, showing
    // `symbol` of the program's icon set before its title.
    void addSegment(int id, const QString &title, const QString &symbol);
    int currentId() const;
    void setCurrentId(int id);
    QAbstractButton *segment(int id) const;
    int count() const;

signals:
    // The user picked the segment `id`.
    void picked(int id);

private:
    void styleSegments();
    // The current segment's symbol in the highlighted text colour, the others' in the text colour.
    void tintSymbols();

    QButtonGroup *m_group;
    QHBoxLayout *m_layout;
};

} // namespace lumetra
