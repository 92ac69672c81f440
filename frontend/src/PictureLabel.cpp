#include "zam/frontend/PictureLabel.h"

#include <QLabel>
#include <QPixmap>

#include "zam/controls/BoundControl.h"
#include "zam/platform/Paths.h"

namespace zam {

namespace {

// 2880 x 1800 twips: 192 x 120 pixels on a screen of 96 dots per inch.
constexpr int kPictureWidthTwips = 2880;
constexpr int kPictureHeightTwips = 1800;

}  // namespace

QLabel* NewPictureLabel(const char* name, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setFixedSize(controls::TwipsToPixels(parent, kPictureWidthTwips),
                          controls::TwipsToPixels(parent, kPictureHeightTwips));
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setForegroundRole(QPalette::PlaceholderText);  // "No picture" reads as a hint
    ShowPicture(*picture, QPixmap());
    return picture;
}

void ShowPicture(QLabel& label, const QPixmap& picture) {
    if (picture.isNull()) {
        label.setPixmap(QPixmap());
        label.setText(QStringLiteral("No picture"));
        return;
    }
    // Scaled to the label's size in device pixels: on a screen that draws two pixels for every
    // one of the layout, a picture scaled to the layout's size would be blown up and blurred.
    const qreal ratio = label.devicePixelRatioF();
    QPixmap scaled = picture.scaled(label.contentsRect().size() * ratio, Qt::KeepAspectRatio,
                                    Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    label.setPixmap(scaled);
}

QPixmap LoadPicture(const std::string& logicalFile) {
    // Through UTF-16: on Windows a narrow path is in the ANSI code page, which cannot hold every
    // user name (and Qt would read it as UTF-8).
    return QPixmap(QString::fromStdU16String(platform::NativePath(logicalFile).u16string()));
}

void ShowPictureFile(QLabel& label, const std::string& logicalFile) {
    ShowPicture(label, LoadPicture(logicalFile));
}

}  // namespace zam
