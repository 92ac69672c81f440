#pragma once
// The small window that stands on the screen while the front end starts; its message line tells
// what start-up is doing.
#include <QElapsedTimer>
#include <QWidget>
#include <string>

class QLabel;

namespace zam {

class frmStatus : public QWidget {
    Q_OBJECT

public:
    explicit frmStatus(QWidget* parent = nullptr);

    // Sets the message line (Windows-1252) and shows the window; it is repainted at once (so the
    // text is visible even while start-up keeps the event loop busy) unless it was repainted less
    // than kRedrawIntervalMs ago.
    void SetMessage(const std::string& text);

    // "ZAM+" + "\r" + "Version 1.4.31", as lblTitle shows it.
    static std::string TitleText();

    QLabel* lblTitle;
    QLabel* lblCredits;
    QLabel* lblMessage;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int kRedrawIntervalMs = 40;
    QElapsedTimer sinceDrawn_;
};

}  // namespace zam
