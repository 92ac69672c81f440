// QSettings in IniFormat reads a file lazily; allKeys() forces the read and parse.
#include <QCoreApplication>
#include <QSettings>
#include <QString>

#include <string>

#include "Loaders.h"

namespace zam::bench {

namespace {

class QSettingsLoader final : public Loader {
public:
    QSettingsLoader() : app_(argc_, argv_) {}

    void Load(const std::vector<std::string>& files) override {
        for (const std::string& file : files) {
            QSettings settings(QString::fromLocal8Bit(file.data(), static_cast<qsizetype>(file.size())),
                               QSettings::IniFormat);
            entries_ += static_cast<std::uint64_t>(settings.allKeys().size());
            if (settings.status() != QSettings::NoError) ++filesWithErrors_;
        }
    }

    LoadSummary Summary() override {
        return {entries_, std::to_string(filesWithErrors_) + " files with errors"};
    }

private:
    int argc_ = 1;
    char name_[16] = "bench_ini_load";
    char* argv_[2] = {name_, nullptr};
    QCoreApplication app_;
    std::uint64_t entries_ = 0;
    std::uint64_t filesWithErrors_ = 0;
};

}  // namespace

std::unique_ptr<Loader> MakeQSettingsLoader(const LoaderHints&) { return std::make_unique<QSettingsLoader>(); }

}  // namespace zam::bench
