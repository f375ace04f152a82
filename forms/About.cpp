#include "About.h"

#include "Accelerators.h"
#include "Feedback.h"
#include "ui_About.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>

namespace {

constexpr Qt::WindowFlags AboutBoxFrame = Qt::Dialog | Qt::CustomizeWindowHint |
                                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint;

void SetMemoLine(QPlainTextEdit* memo, int line, const QString& text) {
    QTextCursor cursor(memo->document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

} // namespace

TAboutCalc::TAboutCalc(QWidget* parent)
    : QDialog(parent, AboutBoxFrame)
    , ui(std::make_unique<Ui::TAboutCalc>()) {
    ui->setupUi(this);
    // The box is white by design: its texts stay dark under a dark desktop palette.
    UseWhiteSurface(*this);
    QFont creditFont = ui->CreditsMemo->font();
    creditFont.setPixelSize(13);
    ui->CreditsMemo->setFont(creditFont);
    QTextOption centred = ui->CreditsMemo->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    ui->CreditsMemo->document()->setDefaultTextOption(centred);
    ui->CreditsMemo->viewport()->installEventFilter(this);
    // The texts are read, not edited: the arrow, not the text cursor, over them.
    for (QPlainTextEdit* memo : {ui->CreditsMemo, ui->InfoMemo, ui->VarnexMemo}) {
        memo->viewport()->setCursor(Qt::ArrowCursor);
    }

    connect(ui->AboutImage, &TSvgImage::doubleClicked, this,
            Feedback::Guard([this] { AboutImageDblClick(); }));
    connect(ui->OKButton, &QPushButton::clicked, this,
            Feedback::Guard([this] { OKButtonClick(); }));
    FormCreate();
}

TAboutCalc::~TAboutCalc() = default;

void TAboutCalc::FormCreate() {
    setFixedSize(width(), ui->OKButton->y() + ui->OKButton->height() + 8);
    const QString title = QCoreApplication::applicationName();
    setWindowTitle(QStringLiteral("About the ") + title);
    SetMemoLine(ui->InfoMemo, 0, title);
    ui->AboutImage->SetPicture(QStringLiteral(":/VARNEXABOUTBOX"));
    // Pictures and read-only texts without captions of their own.
    ui->AboutImage->setAccessibleName(title + QStringLiteral(" logo"));
    ui->InfoMemo->setAccessibleName(title);
    ui->VarnexMemo->setAccessibleName(QStringLiteral("Licence"));
    ui->CreditsMemo->setAccessibleName(QStringLiteral("Credits"));
    SetMemoLine(ui->InfoMemo, 1,
                QStringLiteral("Release ") + QCoreApplication::applicationVersion());
}

void TAboutCalc::AboutImageDblClick() {
    ui->AboutImage->hide();
    ui->CreditsMemo->show();
}

void TAboutCalc::CreditsMemoClick() {
    ui->CreditsMemo->hide();
    ui->AboutImage->show();
}

void TAboutCalc::OKButtonClick() {
    accept();
}

void TAboutCalc::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        CentreOnScreen();
    }
    QDialog::showEvent(event);
}

void TAboutCalc::CentreOnScreen() {
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

bool TAboutCalc::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->CreditsMemo->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Feedback::RunGuarded([this] { CreditsMemoClick(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
