#pragma once
// The exit dialog the main window shows when the user closes it without a loader command pending.
// It answers with the main window's ShutDownOption value.
#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;

namespace zam {

class frmShutdown : public QDialog {
    Q_OBJECT

public:
    // The answers, as the close sequence acts on them.
    static constexpr int kShutdownPc = 1;
    static constexpr int kRestartPc = 2;
    static constexpr int kSaveAndExit = 3;
    static constexpr int kExitWithoutSaving = 4;
    static constexpr int kReturn = -1;

    explicit frmShutdown(QWidget* parent = nullptr);

    // Shows the dialog modally and returns the choice.
    static int Ask(QWidget* parent);

    // The choice; kReturn until a button is chosen, so that a dialog ended by anything else (the
    // window system, the application quitting) never shuts the computer down.
    int ShutDownOption() const { return shutDownOption_; }

    QLabel* lblShutdown;
    QPushButton* cmdExit;
    QPushButton* cmdShutdown;
    QPushButton* cmdRestart;
    QPushButton* cmdCancel;
    QPushButton* cmdExitWithoutSaving;

public slots:
    // Escape and the window system's close command mean "Return".
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Acts on a typed character as on a click of the button with that key; false when none has it.
    bool ChooseByKey(const QKeyEvent& event);
    void Choose(int value);

    struct Choice {
        QPushButton* button;
        int value;
        QChar key;
    };
    std::vector<Choice> choices_;
    int shutDownOption_ = kReturn;
};

}  // namespace zam
