#pragma once
// Shared by the dialog tests: one QApplication on the offscreen platform, made before the first
// test of the program (so no fixture has to make it before its widgets), a file system held in
// memory (so Windows drive paths such as "C:\" exist on any machine), and a way to work a modal
// dialog from inside its own event loop.
#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FailingFileSystem.h"

namespace zam::test {

// Runs `step` on the active modal widget once `open` has shown it; `open` returns when the
// dialog has closed. A step that cannot find a modal widget fails the test, and a dialog that the
// step leaves open is closed, so a test never blocks.
void WithModal(const std::function<void()>& open, const std::function<void(QWidget&)>& step);

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
std::vector<std::string> SharedAccessKeys(QWidget& window);

// Folders and files by logical Windows path, compared without regard to case. Nothing else is
// needed by the dialogs: every other call is refused.
class MemoryFileSystem : public FailingFileSystem {
public:
    MemoryFileSystem();
    // Adds a folder (and every folder above it).
    void AddFolder(const std::string& path);
    // Adds a file (and the folders above it).
    void AddFile(const std::string& path);

    bool FileExists(std::string_view path) override;
    bool FolderExists(std::string_view path) override;
    platform::Status List(std::string_view folderAndPattern, unsigned kinds,
                          std::vector<std::string>& names) override;

private:
    struct Entry {
        std::string parent;  // key of the folder it is in
        std::string name;    // as spelt when added
        bool folder;
    };
    static std::string Key(std::string_view path);
    void Add(const std::string& path, bool folder);

    std::map<std::string, Entry> entries_;  // by key
};

}  // namespace zam::test
