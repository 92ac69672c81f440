#include "DialogTestSupport.h"

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

#include "zam/platform/Text.h"
#include "zam/platform/Wildcard.h"

namespace zam::test {

namespace {

// The application object of the whole test program, on the offscreen platform unless another one
// is set; it lives until the program ends.
class QtApplication : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "frontend_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
};
[[maybe_unused]] testing::Environment* const kQtApplication =
    testing::AddGlobalTestEnvironment(new QtApplication);

}  // namespace

void WithModal(const std::function<void()>& open, const std::function<void(QWidget&)>& step) {
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

std::vector<std::string> SharedAccessKeys(QWidget& window) {
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

std::string MemoryFileSystem::Key(std::string_view path) {
    std::string key = platform::UpperCase(path);
    for (char& c : key) {
        if (c == '/') c = '\\';
    }
    while (key.size() > 2 && key.back() == '\\') key.pop_back();
    if (key.size() == 2 && key[1] == ':') key += '\\';
    return key;
}

void MemoryFileSystem::Add(const std::string& path, bool folder) {
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

MemoryFileSystem::MemoryFileSystem() {
    for (FsOp op : {FsOp::kReadAll, FsOp::kReadAt, FsOp::kWriteAt, FsOp::kCheckWritable,
                    FsOp::kSize, FsOp::kWriteNew, FsOp::kCopy, FsOp::kRename, FsOp::kDelete,
                    FsOp::kIsReadOnly, FsOp::kClearReadOnly, FsOp::kCreateFolder})
        Fail(op, 0, platform::kPermissionDenied);
}

void MemoryFileSystem::AddFolder(const std::string& path) {
    Add(path, true);
}
void MemoryFileSystem::AddFile(const std::string& path) {
    Add(path, false);
}

bool MemoryFileSystem::FileExists(std::string_view path) {
    const auto it = entries_.find(Key(path));
    return it != entries_.end() && !it->second.folder;
}

bool MemoryFileSystem::FolderExists(std::string_view path) {
    const auto it = entries_.find(Key(path));
    return it != entries_.end() && it->second.folder;
}

platform::Status MemoryFileSystem::List(std::string_view folderAndPattern, unsigned kinds,
                                        std::vector<std::string>& names) {
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

}  // namespace zam::test

// Read by LeakSanitizer in the sanitizer build: fontconfig, below Qt's text layout, keeps its
// configuration until the process ends; that is no leak of this program.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
