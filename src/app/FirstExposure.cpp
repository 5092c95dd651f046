#include "FirstExposure.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace lumetra {

namespace {

// Watches the window's native surface for its first exposure; the window's contents are painted
// while that event is handled, so the step waits for the next turn.
class ExposureWatch : public QObject {
public:
    ExposureWatch(QWidget &window, std::function<void()> step)
        : QObject(&window)
        , m_window(window)
        , m_step(std::move(step))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, &m_window, std::move(m_step));
            deleteLater();
        }
        return false;
    }

private:
    QWidget &m_window;
    std::function<void()> m_step;
};

} // namespace

void runAfterFirstExposure(QWidget &window, std::function<void()> step)
{
    window.winId(); // makes the native window, so it can be watched before it is shown
    QWindow *handle = window.windowHandle();
    if (!handle || handle->isExposed()) {
        QTimer::singleShot(0, &window, std::move(step));
        return;
    }
    handle->installEventFilter(new ExposureWatch(window, std::move(step)));
}

} // namespace lumetra
