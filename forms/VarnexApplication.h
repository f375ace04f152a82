#pragma once

#include <QApplication>

// The application object: title, organisation and font of the program, and the last net for
// errors that escape an event handler (handlers catch their own through Feedback::Guard).
class VarnexApplication : public QApplication {
    Q_OBJECT
public:
    VarnexApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
