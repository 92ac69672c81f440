#include "zam/controls/ucSpinner.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "zam/controls/ArrowIcon.h"
#include "zam/controls/BoundStore.h"
#include "zam/controls/NumberText.h"

namespace zam::controls {

namespace {

QToolButton* MakeStepButton(QWidget* parent, bool up, bool large) {
    auto* button = new QToolButton(parent);
    button->setIcon(ArrowIcon(up, large, parent->palette().color(QPalette::ButtonText)));
    button->setAutoRaise(false);
    // Taking the focus on a click commits a typed number before the step is taken from it. Tab
    // stops only at the number: the keyboard steps with the arrow and page keys there.
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

}  // namespace

ucSpinner::ucSpinner(QWidget* parent)
    : BoundControl(parent),
      lblCaption_(new QLabel(this)),
      btnDownLarge_(MakeStepButton(this, false, true)),
      btnDownSmall_(MakeStepButton(this, false, false)),
      txtVal_(new QLineEdit(this)),
      btnUpSmall_(MakeStepButton(this, true, false)),
      btnUpLarge_(MakeStepButton(this, true, true)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(lblCaption_);
    layout->addWidget(btnDownLarge_);
    layout->addWidget(btnDownSmall_);
    layout->addWidget(txtVal_, 1);
    layout->addWidget(btnUpSmall_);
    layout->addWidget(btnUpLarge_);
    lblCaption_->setBuddy(txtVal_);
    lblCaption_->setText(ToQt(caption_));
    txtVal_->setMinimumWidth(48);
    txtVal_->installEventFilter(this);
    txtVal_->setText(ToQt(CompactNumber(remembered_)));
    setFocusProxy(txtVal_);
    connect(btnUpSmall_, &QToolButton::clicked, this, [this] { StepUpSmall(); });
    connect(btnUpLarge_, &QToolButton::clicked, this, [this] { StepUpLarge(); });
    connect(btnDownSmall_, &QToolButton::clicked, this, [this] { StepDownSmall(); });
    connect(btnDownLarge_, &QToolButton::clicked, this, [this] { StepDownLarge(); });
}

void ucSpinner::SetIniFile(const std::string& file) {
    if (file != iniFile_) position_.Invalidate();
    BoundControl::SetIniFile(file);
}

void ucSpinner::SetSection(const std::string& section) {
    position_.Invalidate();
    BoundControl::SetSection(section);
}

void ucSpinner::SetEntry(const std::string& entry) {
    position_.Invalidate();
    BoundControl::SetEntry(entry);
}

double ucSpinner::Value() {
    IniStore* store = BoundStore();
    if (!store) return 0;
    const std::string text =
        position_.Read(*store, store->Directory() + iniFile_, iniFile_, section_, entry_);
    if (text.empty()) return default_;
    return LeadingNumber(text);
}

void ucSpinner::SetValue(double v) {
    if (std::isnan(v) || v > maximum_ || v < minimum_) {
        if (UserInterface* ui = ControlsUi())
            ui->ShowMessage(RangeMessage(caption_, minimum_, maximum_), kAppTitle);
        ShowStoredValuePlain();
        txtVal_->setFocus();
        return;
    }
    if (v == remembered_) return;
    remembered_ = v;
    const std::string text = CompactNumber(v);
    txtVal_->setText(ToQt(text));
    IniStore* store = BoundStore();
    if (store && BindingComplete())
        store->SetIniValue(iniFile_, section_, entry_, text);
    emit Change();
}

void ucSpinner::Refresh() {
    remembered_ = Value();
    txtVal_->setText(ToQt(CompactNumber(remembered_)));
}

void ucSpinner::SetCaption(const std::string& caption) {
    caption_ = caption;
    lblCaption_->setText(ToQt(caption));
}

void ucSpinner::SetToolTip(const std::string& toolTip) {
    const QString tip = ToQt(toolTip);
    for (QWidget* part : std::initializer_list<QWidget*>{lblCaption_, txtVal_, btnUpSmall_,
                                                         btnUpLarge_, btnDownSmall_,
                                                         btnDownLarge_})
        part->setToolTip(tip);
}

void ucSpinner::SetLabelWidth(int twips) {
    lblCaption_->setFixedWidth(TwipsToPixels(this, twips));
    lblCaption_->setVisible(twips > 0 || !lblCaption_->text().isEmpty());
}

void ucSpinner::SetEnabled(bool enabled) {
    for (QWidget* part : std::initializer_list<QWidget*>{txtVal_, btnUpSmall_, btnUpLarge_,
                                                         btnDownSmall_, btnDownLarge_})
        part->setEnabled(enabled);
}

void ucSpinner::Step(double delta) {
    double next = Value() + delta;
    if (delta > 0 && next > maximum_) next = maximum_;
    if (delta < 0 && next < minimum_) next = minimum_;
    SetValue(next);
}

void ucSpinner::CommitText() {
    if (validating_) return;
    validating_ = true;
    SetValue(LeadingNumber(FromQt(txtVal_->text())));
    validating_ = false;
}

bool ucSpinner::StepByKey(int key) {
    using StepAction = void (ucSpinner::*)();
    static constexpr std::pair<int, StepAction> kStepKeys[] = {
        {Qt::Key_Up, &ucSpinner::StepUpSmall},
        {Qt::Key_Down, &ucSpinner::StepDownSmall},
        {Qt::Key_PageUp, &ucSpinner::StepUpLarge},
        {Qt::Key_PageDown, &ucSpinner::StepDownLarge},
    };
    const auto* found = std::find_if(std::begin(kStepKeys), std::end(kStepKeys),
                                     [key](const auto& entry) { return entry.first == key; });
    if (found == std::end(kStepKeys)) return false;
    const StepAction step = found->second;
    CommitText();  // a typed number first, as a click on a step button does
    (this->*step)();
    return true;
}

void ucSpinner::ShowStoredValuePlain() { txtVal_->setText(ToQt(PlainNumber(Value()))); }

bool ucSpinner::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtVal_) {
        if (event->type() == QEvent::KeyPress && StepByKey(static_cast<QKeyEvent*>(event)->key()))
            return true;
        if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                // Moving the focus away commits the typed text through the focus-out below.
                btnUpSmall_->setFocus(Qt::OtherFocusReason);
            } else if (key == Qt::Key_Escape) {
                ShowStoredValuePlain();
            }
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // Switching to another application or opening a menu is not leaving the box.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                CommitText();
        }
    }
    return BoundControl::eventFilter(watched, event);
}

}  // namespace zam::controls
