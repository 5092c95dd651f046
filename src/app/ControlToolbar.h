#pragma once

#include <QWidget>

class QToolButton;

namespace lumetra {

class ElidedLabel;
class PrompterViewModel;

// The control window's toolbar: playback, the prompter window, recording and file buttons, and
// the document status (title; saved or changed · status message).
class ControlToolbar : public QWidget {
    Q_OBJECT
public:
    explicit ControlToolbar(PrompterViewModel &model, QWidget *parent = nullptr);

    QToolButton &playButton() const { return *m_play; }
    QToolButton &recordButton() const { return *m_record; }
    QString documentStatusLine() const;
    QString documentTitleText() const;

signals:
    void openPrompterRequested();
    // "開稿": the window asks about unsaved work before the open panel.
    void openScriptRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *addButton(const QString &text, const QString &symbol);
    static void setLabel(QToolButton *button, const QString &text, const QString &symbol, const QColor &tint = {});
    // Narrow windows show the buttons' icons alone (the text stays as the tooltip), so the
    // document status keeps room to be read.
    void fitButtonsToWidth();

    PrompterViewModel &m_model;
    QToolButton *m_play = nullptr;
    QToolButton *m_record = nullptr;
    QList<QToolButton *> m_buttons;
    ElidedLabel *m_title;
    ElidedLabel *m_status;
};

} // namespace lumetra
