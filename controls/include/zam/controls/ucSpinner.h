#pragma once
// Numeric setting: caption, large and small step down, the number, small and large step up.
// Every accepted number is written at once in the compact form (".5"); numbers outside the range
// are refused with a message and the stored value is shown again.
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "zam/controls/BoundControl.h"
#include "zam/controls/EntryPosition.h"

namespace zam::controls {

class ucSpinner : public BoundControl {
    Q_OBJECT
public:
    explicit ucSpinner(QWidget* parent = nullptr);

    void SetIniFile(const std::string& file) override;
    void SetSection(const std::string& section) override;
    void SetEntry(const std::string& entry) override;

    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    double Increment() const { return increment_; }
    int NoDP() const { return noDP_; }
    double Default() const { return default_; }
    void SetMinimum(double v) { minimum_ = v; }
    void SetMaximum(double v) { maximum_ = v; }
    void SetIncrement(double v) { increment_ = v; }
    // Kept with the control's settings; the shown and written texts are never rounded to it.
    void SetNoDP(int v) { noDP_ = v; }
    void SetDefault(double v) { default_ = v; }

    // The stored value (never the text box): the entry's leading number, Default when the entry
    // is missing or empty, 0 when the store cannot be reached.
    double Value();
    // The validated assignment: the only way a number reaches the store.
    void SetValue(double v);
    double RememberedValue() const { return remembered_; }

    void Refresh() override;
    void SetCaption(const std::string& caption) override;
    const std::string& Caption() const { return caption_; }
    void SetToolTip(const std::string& toolTip) override;
    void SetLabelWidth(int twips) override;
    void SetEnabled(bool enabled) override;

    void StepUpSmall() { Step(increment_); }
    void StepUpLarge() { Step(10 * increment_); }
    void StepDownSmall() { Step(-increment_); }
    void StepDownLarge() { Step(-10 * increment_); }

    QLabel* CaptionLabel() const { return lblCaption_; }
    QLineEdit* TextBox() const { return txtVal_; }
    QToolButton* UpSmallButton() const { return btnUpSmall_; }
    QToolButton* UpLargeButton() const { return btnUpLarge_; }
    QToolButton* DownSmallButton() const { return btnDownSmall_; }
    QToolButton* DownLargeButton() const { return btnDownLarge_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step(double delta);
    void CommitText();
    // Up and Down take a small step, Page Up and Page Down a large one; false for other keys.
    bool StepByKey(int key);
    void ShowStoredValuePlain();

    QLabel* lblCaption_;
    QToolButton* btnDownLarge_;
    QToolButton* btnDownSmall_;
    QLineEdit* txtVal_;
    QToolButton* btnUpSmall_;
    QToolButton* btnUpLarge_;

    EntryPosition position_;
    std::string caption_ = "?";
    double minimum_ = 0;
    double maximum_ = 100;
    double increment_ = 1;
    int noDP_ = 0;
    double default_ = 0;
    double remembered_ = 0;
    bool validating_ = false;
};

}  // namespace zam::controls
