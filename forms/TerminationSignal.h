#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Turns SIGTERM and SIGHUP (the session ends, the system shuts down) into a call on the event
// loop, where the program can close its window as if the user had closed it.
class TTerminationSignal : public QObject {
    Q_OBJECT
public:
    explicit TTerminationSignal(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TTerminationSignal() override;

private:
    void Received();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};
