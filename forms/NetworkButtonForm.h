#pragma once

#include "NetworkButton.h"
#include "NetworkElement.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

class QAbstractButton;
class QComboBox;
class QKeyEvent;

namespace Ui {
class TNetworkButtonForm;
}

// The properties dialog of the latency chain's elements: one for the program, modeless, always on
// top. It shows one element at a time and stores into it on OK or Apply.
class TNetworkButtonForm : public QDialog {
    Q_OBJECT
public:
    using Notify = std::function<void(TNetworkButtonForm& sender)>;

    static constexpr int ClientWidth = 225;
    static constexpr int NetworkHeight = 196;
    static constexpr int NodeHeight = 164;
    static constexpr int NetworkButtonsTop = 136;
    static constexpr int NodeButtonsTop = 104;

    explicit TNetworkButtonForm(QWidget* owner);
    ~TNetworkButtonForm() override;

    // The element shown; none before the first ShowElement and once that element is destroyed.
    TNetworkButton* EditedButton() const { return m_editedButton; }
    TNetworkButtonKind CurrentKind() const { return m_currentKind; }

    const Notify& OnApply() const { return m_onApply; }
    void SetOnApply(Notify handler) { m_onApply = std::move(handler); }

    void ShowElement(TNetworkButton* element);
    void ConfigureForKind(TNetworkButtonKind kind);
    void FillBandwidthList(TNetworkButtonKind kind);

    void FormCreate();
    void TopologyComboBoxChange();
    void TopologyComboBoxExit();
    void BandwidthComboBoxExit();
    // Both return true when they swallowed the key.
    bool BandwidthComboBoxKeyPress(QComboBox& box, const QKeyEvent& event);
    bool ComboBoxKeyPress(QComboBox& box, const QKeyEvent& event);
    void ButtonClick(QAbstractButton* sender);
    void DoApply();

    // Esc and the window's close box are the Cancel button.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TopologyEdited(const QString& text);
    void StoreIntoEditedButton();
    void EditedButtonDestroyed();
    void SetWindowHeight(int height, int buttonsTop);
    void CentreOnScreen();

    std::unique_ptr<Ui::TNetworkButtonForm> ui;
    QPointer<TNetworkButton> m_editedButton;
    QMetaObject::Connection m_editedButtonDestroyed;
    TNetworkButtonKind m_currentKind = nb56Switched;
    bool m_placed = false;
    Notify m_onApply;
};
