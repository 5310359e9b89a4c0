#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

namespace varnok {

// The program keeps its texts as UTF-8; Qt shows them from QString.
inline QString QtText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A caption on one line, as a screen reader's name: the line breaks that fit it into its place on
// screen go, with a blank only between words ("IP address\n:" is "IP address:").
inline QString OneLineName(const QString& caption) {
  QString name;
  for (const QString& line : caption.split(u'\n')) {
    const QString part = line.trimmed();
    if (part.isEmpty()) continue;
    if (!name.isEmpty() && name.back().isLetterOrNumber() && part.front().isLetterOrNumber()) {
      name += u' ';
    }
    name += part;
  }
  return name;
}

}  // namespace varnok
