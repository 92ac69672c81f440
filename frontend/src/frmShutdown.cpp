#include "zam/frontend/frmShutdown.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "zam/frontend/DialogLook.h"
#include "zam/store/UserInterface.h"

namespace zam {

namespace {

// The buttons in tab order: caption ("%1" is the program's title), the answer and the key that
// chooses it. "W" restarts: the access key of "Re&start PC" would clash with "&Shutdown PC".
struct ChoiceRow {
    const char* caption;
    int value;
    char key;
    QPushButton* frmShutdown::*control;
    const char* name;
};

constexpr ChoiceRow kChoices[] = {
    {"Save and E&xit", frmShutdown::kSaveAndExit, 'X', &frmShutdown::cmdExit, "cmdExit"},
    {"&Shutdown PC", frmShutdown::kShutdownPc, 'S', &frmShutdown::cmdShutdown, "cmdShutdown"},
    {"Re&start PC", frmShutdown::kRestartPc, 'W', &frmShutdown::cmdRestart, "cmdRestart"},
    {"&Return to %1", frmShutdown::kReturn, 'R', &frmShutdown::cmdCancel, "cmdCancel"},
    {"&Lose Changes && Exit", frmShutdown::kExitWithoutSaving, 'L',
     &frmShutdown::cmdExitWithoutSaving, "cmdExitWithoutSaving"},
};

constexpr int kButtonWidth = 200;

}  // namespace

frmShutdown::frmShutdown(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      lblShutdown(new QLabel(QStringLiteral("What would you like to do?"), this)) {
    const QString title = QString::fromLatin1(kAppTitle);
    setObjectName(QStringLiteral("frmShutdown"));
    setWindowTitle(QStringLiteral("Confirm %1 Exit").arg(title));
    setModal(true);

    lblShutdown->setObjectName(QStringLiteral("lblShutdown"));
    lblShutdown->setAlignment(Qt::AlignCenter);
    QFont font = lblShutdown->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() + 1);
    lblShutdown->setFont(font);
    UseBackdropTextColour(*lblShutdown);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 24);
    layout->setSpacing(8);
    layout->addWidget(lblShutdown);
    layout->addSpacing(4);

    QWidget* previous = nullptr;
    for (const ChoiceRow& row : kChoices) {
        QString caption = QString::fromLatin1(row.caption);
        caption.replace(QLatin1String("%1"), title);
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(row.name));
        button->setMinimumWidth(kButtonWidth);
        button->installEventFilter(this);
        layout->addWidget(button, 0, Qt::AlignHCenter);
        this->*row.control = button;
        choices_.push_back({button, row.value, QLatin1Char(row.key)});
        const int value = row.value;
        connect(button, &QPushButton::clicked, this, [this, value] { Choose(value); });
        if (previous) setTabOrder(previous, button);
        previous = button;
    }
    cmdExitWithoutSaving->setToolTip(QStringLiteral("Exit %1 without saving changes").arg(title));
    cmdExit->setDefault(true);
    cmdExit->setFocus();
    setFixedSize(sizeHint());
}

int frmShutdown::Ask(QWidget* parent) {
    frmShutdown dialog(parent);
    dialog.exec();
    return dialog.ShutDownOption();
}

void frmShutdown::Choose(int value) {
    shutDownOption_ = value;
    done(value == kReturn ? Rejected : Accepted);
}

void frmShutdown::reject() {
    Choose(kReturn);
}

bool frmShutdown::ChooseByKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    if (text.size() != 1) return false;
    const QChar key = text.at(0).toUpper();
    for (const Choice& choice : choices_) {
        if (choice.key == key) {
            choice.button->click();
            return true;
        }
    }
    return false;
}

// Key preview: the dialog sees typed characters before the focused button does.
bool frmShutdown::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && ChooseByKey(static_cast<QKeyEvent&>(*event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmShutdown::keyPressEvent(QKeyEvent* event) {
    if (ChooseByKey(*event)) return;
    QDialog::keyPressEvent(event);
}

void frmShutdown::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackdrop(painter, rect());
}

void frmShutdown::showEvent(QShowEvent* event) {
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}

}  // namespace zam
