#pragma once

#include <QString>
#include <string_view>

namespace varnok {

// The program keeps its texts as UTF-8; Qt shows them from QString.
inline QString QtText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace varnok
