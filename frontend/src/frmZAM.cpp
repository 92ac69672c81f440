// The main window: construction, layout, menus and the wiring of its handlers.
#include "zam/frontend/frmZAM.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "zam/controls/BoundControl.h"
#include "zam/controls/BoundStore.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/RasteriserProfiles.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/frontend/FocusChain.h"
#include "zam/frontend/LaunchCommand.h"
#include "zam/frontend/PictureLabel.h"
#include "zam/frontend/QtText.h"
#include "zam/frontend/WindowGeometry.h"
#include "zam/frontend/frmAbout.h"
#include "zam/model/clsEngines.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/Paths.h"

namespace zam {

namespace {

// Labels (caption, width in twips) for the drop-downs that the settings catalogue leaves
// without a caption: what they hold is not clear from their items alone ("Black" is a helmet
// colour).
struct LayoutCaption {
    const char* control;
    const char* caption;
    int labelWidth;
};
constexpr LayoutCaption kLayoutCaptions[] = {
    {"cbxCurSetup", "Current", 900},     {"cbxConnectVia", "Protocol", 900},
    {"cbxPlayerHelmet", "Hel&met", 900}, {"cbxDrivingView", "&View", 900},
    {"cbxUOM", "&Units", 900},           {"cbxDateFormat", "&Dates", 900},
};

// Adds `widget` to a frame box built from the catalogue, above the stretch that ends its column.
void AddToFrame(QGroupBox* frame, QWidget* widget) {
    auto* column = qobject_cast<QVBoxLayout*>(frame->layout());
    if (!column) return;
    column->insertWidget(column->count() - 1, widget);
}

// A page of the main tabs. When the window is smaller than the page needs it scrolls rather
// than squeezing its controls; its size hint is the whole page (a plain scroll area caps its
// hint and keeps the first one it computed), so the window's own hint is the size at which no
// page scrolls.
class PageScroller : public QScrollArea {
public:
    explicit PageScroller(QWidget* page) {
        setFocusPolicy(Qt::NoFocus);  // Tab goes from the tab strip straight to the page's controls
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setWidget(page);
    }
    QSize sizeHint() const override {
        const QWidget* page = widget();
        const int frame = 2 * frameWidth();
        return page->sizeHint().expandedTo(page->minimumSizeHint()) + QSize(frame, frame);
    }
};

QWidget* LabelledLine(const char* caption, QLineEdit* edit, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QString::fromUtf8(caption), row);
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit, 1);
    return row;
}

}  // namespace

frmZAM::frmZAM(UserInterface& ui, Options options) : ui_(ui), options_(std::move(options)) {
    if (options_.programFolder.empty()) options_.programFolder = platform::ProgramFolder();
    if (options_.programName.empty()) options_.programName = platform::ProgramName();
    folders_ = platform::FoldersOfProgram(options_.programFolder);
    setObjectName("frmZAM");
    setWindowTitle(QString::fromUtf8(kMainCaption));
    BuildMenus();
    BuildControls();
    ConnectHandlers();
    const double dpi = Dpi();
    setMinimumSize(TwipsToPixels(kMinWindowWidthTwips, dpi),
                   TwipsToPixels(kMinWindowHeightTwips, dpi));
    // Window creation checks the screen before anything is loaded.
    CheckScreenSize(true);
}

frmZAM::~frmZAM() {
    // A window destroyed without its close sequence (a test, an aborted start) writes nothing.
    if (!finished_) {
        if (engines_) engines_->UnloadWithoutSaving();
        if (gpl_) gpl_->UnloadWithoutSaving();
    }
    controls::SetBoundStore(nullptr);
    SetTheGPL(nullptr);
}

void frmZAM::BuildMenus() {
    QMenu* mnuFile = menuBar()->addMenu("&File");
    mniChangeDirectory = mnuFile->addAction("Change GPL directory");
    mniRestore = mnuFile->addAction(QString::fromUtf8("&Restore Settings\u2026"));
    mniRestore->setStatusTip("Puts files back as they were before the last session, or before "
                             "ZAMDeck first changed them");
    mnuFile->addSeparator();
    mniExit = mnuFile->addAction("E&xit ZAM+");
    QMenu* mnuHelp = menuBar()->addMenu("&Help");
    mniHelpAbout = mnuHelp->addAction("&About");
    mnuHelp->addSeparator();
    mniHashTable = mnuHelp->addAction("Hash Table Statistics");
    mniHashTable->setStatusTip("Writes HashTable.csv beside ZAM.ini");
    connect(mniChangeDirectory, &QAction::triggered, this, [this] { ChangeGPLDirectory(); });
    connect(mniRestore, &QAction::triggered, this, [this] { RestoreSettings(); });
    connect(mniExit, &QAction::triggered, this, [this] { close(); });
    connect(mniHelpAbout, &QAction::triggered, this, [this] { ShowAbout(); });
    connect(mniHashTable, &QAction::triggered, this, [this] { ListHashTable(); });
}

QGroupBox* frmZAM::Frame(const char* name) {
    return controls::BuildFrameBox(name, controls_, nullptr);
}

void frmZAM::BuildControls() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->addWidget(BuildSelectionRow());

    tabGeneral = new QTabWidget(central);
    tabGeneral->setObjectName("tabGeneral");
    tabPages = {BuildGplPage(),     BuildGraphicsPage(), BuildOptionsPage(),
                BuildTracksPage(),  BuildButtonsPage(),  BuildEnginesPage()};
    for (std::size_t i = 0; i < tabPages.size(); ++i)
        tabGeneral->addTab(new PageScroller(tabPages[i]), QString::fromUtf8(kMainTabs[i]));
    column->addWidget(tabGeneral, 1);
    column->addWidget(BuildStatusRow());
    setCentralWidget(central);
    rasterisers_ = std::make_unique<controls::RasteriserProfiles>(controls_);
    for (const LayoutCaption& label : kLayoutCaptions) {
        if (controls::BoundControl* control = controls_.Bound(label.control)) {
            control->SetCaption(label.caption);
            control->SetLabelWidth(label.labelWidth);
        }
    }
}

QWidget* frmZAM::BuildSelectionRow() {
    auto* row = new QWidget(this);
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::vector<controls::BoundControl*> built =
        controls::BuildFrameControls("frmZAM", row, controls_);
    // Player and class on the left, team and circuit on the right; Tab reads them row by row.
    const char* order[] = {"cbxPlayer", "cbxCar", "cbxClass", "cbxTrack"};
    std::vector<QWidget*> reading;
    for (int i = 0; i < 4; ++i) {
        if (QWidget* control = controls_.Find(order[i])) {
            grid->addWidget(control, i / 2, i % 2);
            reading.push_back(control);
        }
    }
    ChainFocus(nullptr, reading);
    return row;
}

QWidget* frmZAM::BuildGplPage() {
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);

    auto* left = new QVBoxLayout;
    frmMode = new QGroupBox("&Mode", page);
    frmMode->setObjectName("frmMode");
    auto* modes = new QVBoxLayout(frmMode);
    modeGroup_ = new QButtonGroup(this);
    for (int i = 0; i < kModeCount; ++i) {
        optMode[static_cast<std::size_t>(i)] =
            new QRadioButton(QString::fromUtf8(LaunchModes()[static_cast<std::size_t>(i)].caption), frmMode);
        optMode[static_cast<std::size_t>(i)]->setObjectName(QString("optMode_%1").arg(i));
        modeGroup_->addButton(optMode[static_cast<std::size_t>(i)], i);
        modes->addWidget(optMode[static_cast<std::size_t>(i)]);
    }
    left->addWidget(frmMode);
    imgMode = NewPictureLabel("imgMode", page);
    left->addWidget(imgMode);
    imgCar = NewPictureLabel("imgCar", page);
    left->addWidget(imgCar);
    imgTrack = NewPictureLabel("imgTrack", page);
    left->addWidget(imgTrack);
    left->addStretch(1);
    columns->addLayout(left);

    frmSettings = new QGroupBox(page);
    frmSettings->setObjectName("frmSettings");
    frmSettings->setTitle(QtFromCp1252("Session Settings"));
    auto* settings = new QGridLayout(frmSettings);

    QGroupBox* frmSetup = Frame("frmSetup");
    chkAllCars = new QCheckBox("List All Setups For Track", frmSetup);
    chkAllCars->setObjectName("chkAllCars");
    AddToFrame(frmSetup, chkAllCars);
    cmdGRE = new QPushButton("Edit", frmSetup);
    cmdGRE->setObjectName("cmdGRE");
    cmdGRE->setToolTip("Edit the current setup with the setup editor");
    AddToFrame(frmSetup, cmdGRE);

    QGroupBox* frmClient = Frame("frmClient");
    txtIPAddress = new QLineEdit(frmClient);
    txtIPAddress->setObjectName("txtIPAddress");
    txtIPAddress->setToolTip("IP Address of Server.  Only Valid for TPC/IP Connections");
    AddToFrame(frmClient, LabelledLine("&Server", txtIPAddress, frmClient));
    txtPassword = new QLineEdit(frmClient);
    txtPassword->setObjectName("txtPassword");
    txtPassword->setToolTip("Server Password");
    AddToFrame(frmClient, LabelledLine("Pass&word", txtPassword, frmClient));

    // The mode decides which of these show: the race, server and client frames on the left, the
    // setups on the right (alone, they take the whole width).
    settings->addWidget(Frame("frmRace"), 0, 0);
    settings->addWidget(Frame("frmHosting"), 1, 0);
    settings->addWidget(frmClient, 2, 0);
    settings->addWidget(frmSetup, 0, 1, 3, 1, Qt::AlignTop);
    settings->setRowStretch(3, 1);
    columns->addWidget(frmSettings, 1);
    return page;
}

QWidget* frmZAM::BuildGraphicsPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(Frame("frm3DOptions"), 0, 0);
    grid->addWidget(Frame("frmBackgrounds"), 1, 0);
    // Only the chosen rasteriser's frame shows; they share one place, which keeps the room of the
    // largest so that the page does not change its size with the choice.
    for (const char* name : {"frmD3D", "frmOpenGL", "frm3DFX", "frmRendition"}) {
        QGroupBox* frame = Frame(name);
        QSizePolicy policy = frame->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        frame->setSizePolicy(policy);
        grid->addWidget(frame, 0, 1, Qt::AlignTop);
    }
    grid->addWidget(Frame("frmEffects"), 1, 1);
    grid->addWidget(Frame("frmForwardTextures"), 0, 2);
    grid->addWidget(Frame("frmMirrorTextures"), 1, 2);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget* frmZAM::BuildOptionsPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(Frame("frmPlayerOptions"), 0, 0, 2, 1);
    grid->addWidget(Frame("frmSound"), 0, 1);
    grid->addWidget(Frame("frmSteering"), 1, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* frmZAM::BuildTracksPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    trackListArea = new QWidget(page);
    trackListArea->setObjectName("trackListArea");
    grid->addWidget(trackListArea, 0, 0, 3, 1);
    // The track lists put the circuit's data and the season's name and files into these frames.
    QGroupBox* details = Frame("frmTrackDetails");
    imgTrack2 = NewPictureLabel("imgTrack2", details);
    AddToFrame(details, imgTrack2);
    grid->addWidget(details, 0, 1);
    grid->addWidget(Frame("frmSeason"), 1, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    return page;
}

QWidget* frmZAM::BuildButtonsPage() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    buttonEditorArea = new QWidget(page);
    buttonEditorArea->setObjectName("buttonEditorArea");
    row->addWidget(buttonEditorArea, 1);
    // The selected button's tab and program: the button editor places the frame beside its list.
    Frame("frmUtils")->setParent(buttonEditorArea);
    return page;
}

QWidget* frmZAM::BuildEnginesPage() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    row->addWidget(Frame("frmEngines"), 0, Qt::AlignTop);
    row->addStretch(1);
    // Element 7 (the unused chassis) never gets an engine list.
    if (QWidget* unused = controls_.Find("cbxEngine", 7)) unused->hide();
    return page;
}

QWidget* frmZAM::BuildStatusRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    lblGPLTime = new QLabel(QString::fromUtf8("Time in GPL 00:00:00"), row);
    lblGPLTime->setObjectName("lblGPLTime");
    layout->addWidget(lblGPLTime);
    cmdResetTimer = new QPushButton("Reset Timer", row);
    cmdResetTimer->setObjectName("cmdResetTimer");
    cmdResetTimer->setToolTip("Set Total GPL Timer to Zero");
    layout->addWidget(cmdResetTimer);
    launcherArea = new QWidget(row);
    launcherArea->setObjectName("launcherArea");
    layout->addWidget(launcherArea, 1);
    cmdGPL = new QPushButton("&Run GPL", row);
    cmdGPL->setObjectName("cmdGPL");
    cmdGPL->setDefault(true);
    layout->addWidget(cmdGPL);
    return row;
}

QSize frmZAM::SizeWithoutScrolling() {
    ensurePolished();
    // The first tab shows other frames in each launch mode: measure them all, then put back what
    // the current mode shows.
    const std::vector<QWidget*> modeWidgets = ModeWidgets();
    std::vector<bool> hidden;
    for (QWidget* widget : modeWidgets) hidden.push_back(widget->isHidden());
    auto measure = [this] {
        for (QWidget* widget : findChildren<QWidget*>()) widget->updateGeometry();
        return sizeHint();
    };
    QSize needed = measure();
    for (int mode = 0; mode < kModeCount; ++mode) {
        ShowModeFrames(*FramesForMode(std::to_string(mode)));
        needed = needed.expandedTo(measure());
    }
    for (std::size_t i = 0; i < modeWidgets.size(); ++i) modeWidgets[i]->setHidden(hidden[i]);
    measure();
    return needed;
}

void frmZAM::ConnectHandlers() {
    connect(tabGeneral, &QTabWidget::currentChanged, this, [this](int i) { OnTabChanged(i); });
    connect(tabGeneral, &QTabWidget::tabBarClicked, this, [this](int i) { OnTabClicked(i); });
    connect(modeGroup_, &QButtonGroup::idClicked, this, [this](int i) { SelectMode(i); });
    connect(cmdGPL, &QPushButton::clicked, this, [this] { LaunchSimulator(); });
    connect(cmdResetTimer, &QPushButton::clicked, this, [this] { ResetTimer(); });
    connect(txtIPAddress, &QLineEdit::editingFinished, this, [this] { OnAddressEdited(); });

    auto onChange = [this](const char* name, int element, void (frmZAM::*handler)()) {
        if (controls::BoundControl* control = controls_.Bound(name, element))
            connect(control, &controls::BoundControl::Change, this, handler);
    };
    onChange("cbxPlayer", -1, &frmZAM::OnPlayerChange);
    onChange("cbxClass", -1, &frmZAM::OnClassChange);
    onChange("cbxCar", -1, &frmZAM::OnCarChange);
    onChange("chkAppendClass", -1, &frmZAM::AppendClassToName);
    onChange("spnQualifying", -1, &frmZAM::OnQualifyingChange);
    for (int element : controls_.Elements("cbxEngine"))
        onChange("cbxEngine", element, &frmZAM::OnEngineChange);
    if (auto* rasteriser = controls_.Bound("cbxRasteriser"))
        connect(rasteriser, &controls::BoundControl::Change, this, [this] {
            rasterisers_->RasteriserChanged(PlayerId());
            LayoutGraphicsTab();
        });
    if (auto* resolution = controls_.Bound("cbxResolution"))
        connect(resolution, &controls::BoundControl::Change, this,
                [this] { rasterisers_->ResolutionChanged(PlayerId()); });
    if (auto* smiley = controls_.Bound("chkSmileyOverride"))
        connect(smiley, &controls::BoundControl::Change, this, [this] { LayoutGraphicsTab(); });

    if (QScreen* screen = this->screen())
        connect(screen, &QScreen::geometryChanged, this, [this] { OnDisplayChange(); });
}

controls::ucDropDown* frmZAM::DropDown(const char* name, int element) const {
    return controls_.DropDown(name, element);
}

std::string frmZAM::FrontEndValue(const char* section, const char* entry) const {
    return gpl_ ? gpl_->FullPathIniValue(kFrontEndIni, section, entry) : std::string();
}

void frmZAM::SetFrontEndValue(const char* section, const char* entry, const std::string& value) {
    if (gpl_) gpl_->SetFullPathIniValue(kFrontEndIni, section, entry, value);
}

void frmZAM::ShowAbout() {
    if (options_.showAbout) {
        options_.showAbout(this);
        return;
    }
    frmAbout about(ui_, this);
    about.exec();
}

std::string frmZAM::ProgramFile(const std::string& relative) const {
    return options_.programFolder + relative;
}

std::string frmZAM::ShippedFile(const std::string& relative) const {
    return folders_.shipped + relative;
}

std::string frmZAM::SettingsFile(const std::string& relative) const {
    return folders_.settings + relative;
}

double frmZAM::Dpi() const { return logicalDpiX() > 0 ? logicalDpiX() : 96.0; }

}  // namespace zam
