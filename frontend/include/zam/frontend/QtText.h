#pragma once
// Texts cross from the store and the model as Windows-1252 bytes; Qt widgets want Unicode. These
// are the only places where the two meet in the dialogs.
#include <QString>
#include <string>
#include <string_view>

namespace zam {

QString QtFromCp1252(std::string_view text);
std::string Cp1252FromQt(const QString& text);
// Like QtFromCp1252, but a carriage return (alone or before a line feed) becomes a line break, as
// message and label texts use it.
QString QtDisplayText(std::string_view text);

}  // namespace zam
