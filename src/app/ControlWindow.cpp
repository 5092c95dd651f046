#include "ControlWindow.h"

namespace lumetra {

ControlWindow::ControlWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("控制台"));
    resize(1100, 720);
}

} // namespace lumetra
