#pragma once

#include "SpeechModelLocator.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace lumetra {

class DesktopFileServices;

// Which recognition model Voice Sync uses: its folder and language, or where to put one when none is
// installed, and a button to choose another folder. A folder without a usable model is refused and
// the previous choice kept.
class SpeechModelRow : public QWidget {
    Q_OBJECT
public:
    explicit SpeechModelRow(QWidget *parent = nullptr);

    // The folder chooser to ask; the desktop's own unless replaced.
    void setFolderChooser(DesktopFileServices *chooser) { m_chooser = chooser; }
    // Where models are looked up; the program's usual places unless replaced.
    void setModelLocator(const SpeechModelLocator &locator);

    // Reads the model lookup again.
    void refresh();
    // Asks for a folder and adopts it if it holds a usable model.
    void chooseFolder();

    QLabel *modelLabel() const { return m_modelLabel; }
    QLabel *hintLabel() const { return m_hintLabel; }
    QLabel *statusLabel() const { return m_statusLabel; }
    QPushButton *chooseButton() const { return m_chooseButton; }

private:
    DesktopFileServices *m_chooser;
    SpeechModelLocator m_locator;
    QLabel *m_modelLabel;
    QLabel *m_hintLabel;
    QLabel *m_statusLabel;
    QPushButton *m_chooseButton;
};

} // namespace lumetra
