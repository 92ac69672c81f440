#include "zam/frontend/QtText.h"

#include "zam/platform/Text.h"

namespace zam {

QString QtFromCp1252(std::string_view text) {
    return QString::fromStdString(platform::Utf8FromCp1252(text));
}

std::string Cp1252FromQt(const QString& text) {
    return platform::Cp1252FromUtf8(text.toStdString());
}

QString QtDisplayText(std::string_view text) {
    QString shown = QtFromCp1252(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace zam
