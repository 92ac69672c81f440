#pragma once
// Shared by the dialog tests: a file system held in memory (so Windows drive paths such as "C:\"
// exist on any machine), and a way to work a modal dialog from inside its own event loop. The
// suite's one QApplication is made before its first test (QtTestApplication.cpp), so no fixture
// has to make it before its widgets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QTabBar>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FailingFileSystem.h"
#include "zam/platform/Text.h"
#include "zam/platform/Wildcard.h"

namespace zam::test {

// Runs `step` on the active modal widget once `open` has shown it; `open` returns when the
// dialog has closed. A step that cannot find a modal widget fails the test, and a dialog that the
// step leaves open is closed, so a test never blocks.
inline void WithModal(const std::function<void()>& open,
                      const std::function<void(QWidget&)>& step) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ran = true;
        if (modal == nullptr) {
            ADD_FAILURE() << "no modal dialog was shown";
            return;
        }
        const QPointer<QWidget> guard(modal);
        step(*modal);
        if (guard && guard->isVisible()) guard->close();
    });
    open();
    EXPECT_TRUE(ran) << "the dialog closed before it could be worked";
}

// The same for a modal widget of a known class; any other modal widget fails the test.
template <class Dialog>
void WithModalOf(const std::function<void()>& open, const std::function<void(Dialog&)>& step) {
    WithModal(open, [&](QWidget& modal) {
        auto* dialog = qobject_cast<Dialog*>(&modal);
        if (dialog == nullptr) {
            ADD_FAILURE() << "unexpected modal widget " << modal.metaObject()->className();
            return;
        }
        step(*dialog);
    });
}

// The access keys that two or more controls of `window` on the screen share, each with their
// texts ("L: C&lass, &Load Season"): such a key only moves the focus between them.
inline std::vector<std::string> SharedAccessKeys(QWidget& window) {
    std::map<QString, QStringList> owners;
    auto add = [&](const QString& text) {
        const QString key = QKeySequence::mnemonic(text).toString();
        if (!key.isEmpty()) owners[key] << text;
    };
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* w : widgets) {
        if (!w->isVisible()) continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->buddy()) add(label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            add(button->text());
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            add(box->title());
        } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) add(tabs->tabText(i));
        } else if (auto* menus = qobject_cast<QMenuBar*>(w)) {
            for (QAction* menu : menus->actions()) add(menu->text());
        }
    }
    std::vector<std::string> shared;
    for (const auto& [key, texts] : owners)
        if (texts.size() > 1) shared.push_back((key + ": " + texts.join(", ")).toStdString());
    return shared;
}

// Folders and files by logical Windows path, compared without regard to case. Nothing else is
// needed by the dialogs: every other call is refused.
class MemoryFileSystem : public FailingFileSystem {
public:
    MemoryFileSystem() {
        for (FsOp op : {FsOp::kReadAll, FsOp::kReadAt, FsOp::kWriteAt, FsOp::kCheckWritable,
                        FsOp::kSize, FsOp::kWriteNew, FsOp::kCopy, FsOp::kRename, FsOp::kDelete,
                        FsOp::kIsReadOnly, FsOp::kClearReadOnly, FsOp::kCreateFolder})
            Fail(op, 0, platform::kPermissionDenied);
    }
    // Adds a folder (and every folder above it).
    void AddFolder(const std::string& path) { Add(path, true); }
    // Adds a file (and the folders above it).
    void AddFile(const std::string& path) { Add(path, false); }

    bool FileExists(std::string_view path) override {
        const auto it = entries_.find(Key(path));
        return it != entries_.end() && !it->second.folder;
    }
    bool FolderExists(std::string_view path) override {
        const auto it = entries_.find(Key(path));
        return it != entries_.end() && it->second.folder;
    }
    platform::Status List(std::string_view folderAndPattern, unsigned kinds,
                          std::vector<std::string>& names) override {
        names.clear();
        const std::size_t cut = folderAndPattern.find_last_of("\\/");
        if (cut == std::string_view::npos) return platform::Status::Error(platform::kPathNotFound);
        const std::string folder = Key(folderAndPattern.substr(0, cut + 1));
        if (!FolderExists(folder)) return platform::Status::Error(platform::kPathNotFound);
        const std::string_view pattern = folderAndPattern.substr(cut + 1);
        for (const auto& [key, entry] : entries_) {
            const unsigned kind = entry.folder ? platform::kListFolders : platform::kListFiles;
            if (entry.parent == folder && (kinds & kind) &&
                platform::WildcardMatch(pattern, entry.name)) {
                names.push_back(entry.name);
            }
        }
        return platform::Status::Ok();
    }

private:
    struct Entry {
        std::string parent;  // key of the folder it is in
        std::string name;    // as spelt when added
        bool folder;
    };
    static std::string Key(std::string_view path) {
        std::string key = platform::UpperCase(path);
        for (char& c : key) {
            if (c == '/') c = '\\';
        }
        while (key.size() > 2 && key.back() == '\\') key.pop_back();
        if (key.size() == 2 && key[1] == ':') key += '\\';
        return key;
    }
    void Add(const std::string& path, bool folder) {
        const std::string key = Key(path);
        const std::size_t cut = key.find_last_of('\\', key.size() - 2);
        if (cut == std::string::npos || key.size() <= 3) {
            entries_[key] = {{}, key, true};  // a drive root
            return;
        }
        const std::string parent = key.substr(0, cut + 1);
        Add(std::string(path.substr(0, cut + 1)), true);
        std::string name = path.substr(cut + 1);
        while (!name.empty() && (name.back() == '\\' || name.back() == '/')) name.pop_back();
        entries_[key] = {Key(parent), name, folder};
    }

    std::map<std::string, Entry> entries_;  // by key
};

}  // namespace zam::test
