#pragma once
// A program path setting: caption, the path text and a "Browse" button. Every change of the
// text is written at once (each keystroke), and again on Enter and on leaving the box.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "zam/controls/BoundControl.h"

namespace zam::controls {

class ucFilePath : public BoundControl {
    Q_OBJECT
public:
    explicit ucFilePath(QWidget* parent = nullptr);

    // The text in the box (not the store).
    std::string Value() const;
    // Sets the box's text, which writes it.
    void SetValue(const std::string& text);

    // Folder the browse dialog opens in, and the patterns it offers (separated by ";").
    const std::string& Path() const { return path_; }
    const std::string& Pattern() const { return pattern_; }
    void SetPath(const std::string& path) { path_ = path; }
    void SetPattern(const std::string& pattern) { pattern_ = pattern; }
    // A control built without a folder opens the dialog at "C:\" and offers programs.
    void ApplyEmptyPathRule();

    // Lets the user choose a program; cancelling changes nothing.
    void Browse();

    void Refresh() override;
    void SetCaption(const std::string& caption) override;
    void SetToolTip(const std::string& toolTip) override { txtData_->setToolTip(ToolTipText(toolTip)); }
    void SetLabelWidth(int twips) override;
    void SetEnabled(bool enabled) override { txtData_->setEnabled(enabled); }

    QLineEdit* TextBox() const { return txtData_; }
    QPushButton* BrowseButton() const { return cmdBrowse_; }
    QLabel* CaptionLabel() const { return lblFile_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QString ToolTipText(const std::string& toolTip);
    void Commit();

    QLabel* lblFile_;
    QLineEdit* txtData_;
    QPushButton* cmdBrowse_;
    std::string path_;
    std::string pattern_;
};

}  // namespace zam::controls
