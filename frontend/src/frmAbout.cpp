#include "zam/frontend/frmAbout.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "zam/frontend/AppVersion.h"
#include "zam/frontend/QtText.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Process.h"
#include "zam/platform/System.h"

namespace zam {

namespace {

constexpr int kIconSize = 48;
constexpr int kTextWidth = 380;
constexpr int kButtonWidth = 110;

// The program's icon, painted: a green tile with the title on it, at the screen's resolution.
QPixmap PaintIcon(qreal ratio) {
    QPixmap icon(QSize(kIconSize, kIconSize) * ratio);
    icon.setDevicePixelRatio(ratio);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, kIconSize, kIconSize);
    gradient.setColorAt(0.0, QColor(30, 110, 66));
    gradient.setColorAt(1.0, QColor(8, 40, 24));
    painter.setBrush(gradient);
    painter.setPen(QPen(QColor(220, 200, 120), 2));
    painter.drawRoundedRect(QRectF(1, 1, kIconSize - 2, kIconSize - 2), 8, 8);
    // The largest bold type at which the title fits inside the frame.
    QFont font = painter.font();
    font.setBold(true);
    const QString title = QString::fromLatin1(kAppTitle);
    for (int size = kIconSize / 3; size > 6; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(title) <= kIconSize - 10) break;
    }
    painter.setFont(font);
    painter.setPen(QColor(245, 240, 220));
    painter.drawText(QRect(0, 0, kIconSize, kIconSize), Qt::AlignCenter, title);
    return icon;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const std::string& text) {
    auto* label = new QLabel(QtDisplayText(text), parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMinimumWidth(kTextWidth);
    return label;
}

std::string Quoted(const std::string& program) {
    if (!program.empty() && program.front() == '"') return program;
    return "\"" + program + "\"";
}

}  // namespace

std::string frmAbout::TitleText() {
    return std::string(kAppTitle) + " by the ZAMDeck team" + "\r" +
           "An alternative front end for Papyrus' Grand Prix Legends." + "\r\r" +
           "Enjoy your racing, and drive safely.";
}

std::string frmAbout::DescriptionText() {
    return std::string("Thanks to Papyrus, for Grand Prix Legends.") + "\r" +
           "Thanks to the GPL community, for keeping the cars on the track for so many years." +
           "\r" + "Thanks to everyone who tried this program and told us what went wrong.";
}

std::string frmAbout::DisclaimerText() {
    return std::string("WARNING: ") + kAppTitle +
           " amends your GPL ini files and GPL.EXE.  Great care has been taken to ensure that it "
           "works but I accept no responsibility if it amends them in a way you don't like.  " +
           "Please don't use it if this is a problem for you.";
}

frmAbout::frmAbout(UserInterface& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      picIcon(new QLabel(this)),
      lblTitle(MakeLabel(this, "lblTitle", TitleText())),
      lblVersion(MakeLabel(this, "lblVersion", VersionText())),
      lblDescription(MakeLabel(this, "lblDescription", DescriptionText())),
      lblDisclaimer(MakeLabel(this, "lblDisclaimer", DisclaimerText())),
      cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      cmdSysInfo(new QPushButton(QStringLiteral("&System Info..."), this)),
      ui_(ui) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About %1").arg(QString::fromLatin1(kAppTitle)));
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(PaintIcon(devicePixelRatioF()));
    picIcon->setAlignment(Qt::AlignTop);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(kButtonWidth);
    cmdSysInfo->setMinimumWidth(kButtonWidth);

    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblVersion->setFont(bold);
    lblDisclaimer->setFrameShape(QFrame::StyledPanel);
    lblDisclaimer->setMargin(6);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(14);
    layout->addWidget(picIcon, 0, 0, 3, 1);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(lblDescription, 2, 1);
    layout->addWidget(lblDisclaimer, 3, 0, 1, 2);
    layout->addLayout(buttons, 4, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(); });
}

bool frmAbout::StartProgram(const std::string& program) {
    platform::ProcessId id;
    return platform::Processes().Start(Quoted(program), id).ok();
}

void frmAbout::StartSysInfo() {
    std::string path;
    if (platform::System().GetKeyValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path) &&
        !path.empty() && StartProgram(path)) {
        return;
    }
    std::string folder;
    if (platform::System().GetKeyValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                                       folder)) {
        const std::string program = folder + "\\MSINFO32.EXE";
        if (platform::Fs().FileExists(program) && StartProgram(program)) return;
    }
    // Also when a registered tool could not be started: saying nothing would look like success.
    ui_.ShowMessage("System Information Is Unavailable At This Time");
}

}  // namespace zam
