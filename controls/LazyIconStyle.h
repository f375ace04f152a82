#pragma once

#include <QProxyStyle>

// The application's style, unchanged in looks, except that the menu bar's extension icon is read
// from the style's resources only when the extension button is first drawn: the menu bar asks for
// it at construction, and reading it probes every image-format plugin at start-up.
class TLazyIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps the style of that name (the one the application would use).
    explicit TLazyIconStyle(const QString& baseStyleName);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
