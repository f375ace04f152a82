#include "FirstExposure.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

class TFirstExposureWatch : public QObject {
public:
    TFirstExposureWatch(QWindow& window, std::function<void()> action)
        : QObject(&window)
        , m_window(window)
        , m_action(std::move(action)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose && m_window.isExposed()) {
            m_window.removeEventFilter(this);
            // Posted: it runs once this exposure has been drawn.
            QTimer::singleShot(0, &m_window, std::move(m_action));
            deleteLater();
        }
        return false;
    }

private:
    QWindow& m_window;
    std::function<void()> m_action;
};

} // namespace

void RunAfterFirstExposure(QWidget& window, std::function<void()> action) {
    QWindow* handle = window.windowHandle();
    if (handle == nullptr || handle->isExposed()) {
        QTimer::singleShot(0, &window, std::move(action));
        return;
    }
    new TFirstExposureWatch(*handle, std::move(action));
}
