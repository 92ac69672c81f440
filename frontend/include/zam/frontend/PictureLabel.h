#pragma once
// The window's pictures (launch mode, car, circuit): a framed label of a fixed size in twips that
// shows a picture file scaled to fit, drawn at the screen's full resolution so that it stays sharp
// on a high-DPI screen, or says that there is no picture.
#include <string>

class QLabel;
class QPixmap;
class QWidget;

namespace zam {

QLabel* NewPictureLabel(const char* name, QWidget* parent);
// Shows `picture` (a null one: the "no picture" text).
void ShowPicture(QLabel& label, const QPixmap& picture);
// Shows the picture file at a logical path; a missing or unreadable file shows no picture.
void ShowPictureFile(QLabel& label, const std::string& logicalFile);
// Loads a picture file at a logical path (null when it cannot be read).
QPixmap LoadPicture(const std::string& logicalFile);

}  // namespace zam
