#pragma once

#include <QMainWindow>

namespace lumetra {

// The control window ("控制台"). Its panels arrive with the prompter model.
class ControlWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ControlWindow(QWidget *parent = nullptr);
};

} // namespace lumetra
