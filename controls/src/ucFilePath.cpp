#include "zam/controls/ucFilePath.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>

#include "zam/controls/BoundStore.h"

namespace zam::controls {

ucFilePath::ucFilePath(QWidget* parent)
    : BoundControl(parent),
      lblFile_(new QLabel(this)),
      txtData_(new QLineEdit(this)),
      cmdBrowse_(new QPushButton(QStringLiteral("Browse"), this)) {
    iniFile_.clear();
    section_.clear();
    entry_.clear();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(lblFile_);
    layout->addWidget(txtData_, 1);
    layout->addWidget(cmdBrowse_);
    lblFile_->setBuddy(txtData_);
    lblFile_->hide();
    txtData_->installEventFilter(this);
    setFocusProxy(txtData_);
    connect(txtData_, &QLineEdit::textChanged, this, [this] { Commit(); });
    connect(cmdBrowse_, &QPushButton::clicked, this, [this] { Browse(); });
}

QString ucFilePath::ToolTipText(const std::string& toolTip) { return ToQt(toolTip); }

std::string ucFilePath::Value() const { return FromQt(txtData_->text()); }

void ucFilePath::SetValue(const std::string& text) { txtData_->setText(ToQt(text)); }

void ucFilePath::ApplyEmptyPathRule() {
    if (!path_.empty()) return;
    path_ = "C:\\";
    pattern_ = "*.exe;*.com;*.bat";
}

void ucFilePath::Browse() {
    UserInterface* ui = ControlsUi();
    if (!ui) return;
    const auto choice = ui->SelectFile(pattern_, path_, "Select Utility Program", false);
    if (!choice || choice->fileName.empty()) return;
    SetValue(choice->folder + choice->fileName);
    path_ = choice->folder;
}

void ucFilePath::Refresh() {
    IniStore* store = BoundStore();
    if (!store) return;
    const QString text = ToQt(store->FullPathIniValue(iniFile_, section_, entry_));
    // Showing the text counts as a change of it, also when the box already held it.
    if (txtData_->text() == text)
        Commit();
    else
        txtData_->setText(text);
}

void ucFilePath::Commit() {
    IniStore* store = BoundStore();
    if (store && BindingComplete()) store->SetFullPathIniValue(iniFile_, section_, entry_, Value());
    emit Change();
}

void ucFilePath::SetCaption(const std::string& caption) {
    lblFile_->setText(ToQt(caption));
    lblFile_->setVisible(!caption.empty() || lblFile_->minimumWidth() > 0);
}

void ucFilePath::SetLabelWidth(int twips) {
    const int pixels = TwipsToPixels(this, twips);
    lblFile_->setFixedWidth(pixels);
    lblFile_->setVisible(pixels > 0 || !lblFile_->text().isEmpty());
}

bool ucFilePath::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtData_) {
        if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) Commit();
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Commit();
        }
    }
    return BoundControl::eventFilter(watched, event);
}

}  // namespace zam::controls
