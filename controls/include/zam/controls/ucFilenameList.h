#pragma once
// A list of the files matching a folder and pattern, below the simulator folder recorded in
// ZAM.Ini. Not bound to any entry.
#include <QComboBox>
#include <QWidget>
#include <string>

namespace zam::controls {

class ucFilenameList : public QWidget {
    Q_OBJECT
public:
    explicit ucFilenameList(QWidget* parent = nullptr);

    // `path` below the recorded simulator folder ([Paths] GPL of ZAM.Ini).
    void SetPath(const std::string& path);
    // Lists the files matching `fullPath` (folder and pattern), leaving out names that begin
    // with "."; the first name is selected when there is one.
    void SetFullPath(const std::string& fullPath);
    const std::string& Path() const { return path_; }
    const std::string& FullPath() const { return fullPath_; }

    std::string Value() const;
    void SetValue(const std::string& text);
    void Refresh() { SetFullPath(fullPath_); }

    QComboBox* List() const { return cbxFiles_; }

private:
    QComboBox* cbxFiles_;
    std::string path_ = "?";
    std::string fullPath_ = "?";
};

}  // namespace zam::controls
