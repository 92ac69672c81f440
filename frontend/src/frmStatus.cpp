#include "zam/frontend/frmStatus.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "zam/frontend/AppVersion.h"
#include "zam/frontend/DialogLook.h"
#include "zam/frontend/QtText.h"
#include "zam/store/UserInterface.h"

namespace zam {

namespace {

constexpr int kTopTwips = 240;  // lblTitle's distance from the top edge
constexpr int kGapTwips = 120;  // gap between the labels
constexpr int kTwipsPerInch = 1440;
constexpr int kWidthTwips = 6300;  // 420 x 190 pixels on a screen of 96 dots per inch
constexpr int kHeightTwips = 2850;
constexpr int kSideMarginTwips = 120;  // kept free at either end of a shortened line

int PixelsFromTwips(const QWidget& w, int twips) {
    return (twips * w.logicalDpiY() + kTwipsPerInch / 2) / kTwipsPerInch;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int pointSizeDelta, bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() + pointSizeDelta);
    font.setBold(bold);
    label->setFont(font);
    UseBackdropTextColour(*label);
    return label;
}

}  // namespace

frmStatus::frmStatus(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      lblTitle(MakeLabel(this, "lblTitle", 4, true)),
      lblCredits(MakeLabel(this, "lblCredits", 0, false)),
      lblMessage(MakeLabel(this, "lblMessage", 1, false)) {
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    lblTitle->setText(QtDisplayText(TitleText()));
    lblCredits->setText(QStringLiteral("Written by the ZAMDeck team for the GPL community"));

    auto* layout = new QVBoxLayout(this);
    const int gap = PixelsFromTwips(*this, kGapTwips);
    layout->setContentsMargins(0, PixelsFromTwips(*this, kTopTwips), 0, gap);
    layout->setSpacing(gap);
    layout->addWidget(lblTitle);
    layout->addWidget(lblCredits);
    layout->addWidget(lblMessage);
    layout->addStretch(1);
    setFixedSize(PixelsFromTwips(*this, kWidthTwips), PixelsFromTwips(*this, kHeightTwips));
}

std::string frmStatus::TitleText() {
    return std::string(kAppTitle) + "\r" + VersionText();
}

void frmStatus::SetMessage(const std::string& text) {
    // A long file name has no blank to break at: it loses its middle rather than its ends.
    const QFontMetrics metrics(lblMessage->font());
    const int room = width() - 2 * PixelsFromTwips(*this, kSideMarginTwips);
    QStringList lines = QtDisplayText(text).split(QLatin1Char('\n'));
    for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideMiddle, room);
    lblMessage->setText(lines.join(QLatin1Char('\n')));
    const bool appearing = !isVisible();
    if (appearing) show();
    // A start-up that reads hundreds of files sets a message for each: drawing every one of them
    // cost more than reading the files, and no eye follows more than a few a second. The label
    // always holds the latest text; the window is drawn again once enough time has passed since
    // the last drawing, and the text set in between is drawn with the next one.
    if (!appearing && sinceDrawn_.isValid() && sinceDrawn_.elapsed() < kRedrawIntervalMs) return;
    raise();
    repaint();
    // Start-up runs on the GUI thread without returning to the event loop; let the window system
    // draw the new text now, but keep the user's clicks and keys for later.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceDrawn_.start();
}

void frmStatus::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackdrop(painter, rect());
}

void frmStatus::showEvent(QShowEvent* event) {
    CentreOnScreen(*this);
    QWidget::showEvent(event);
}

}  // namespace zam
