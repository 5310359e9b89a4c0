#include "cli/table.h"

#include <algorithm>

#include "cli/terminal_text.h"

namespace varnok::cli {

Table::Table(std::initializer_list<std::string_view> headings)
    : rows_{std::vector<std::string>(headings.begin(), headings.end())} {}

void Table::Add(std::vector<std::string> cells) {
  for (std::string& cell : cells) cell = Visible(cell);
  cells.resize(rows_.front().size());
  rows_.push_back(std::move(cells));
}

void Table::Print(std::ostream& out) const {
  std::vector<std::size_t> widths(rows_.front().size(), 0);
  for (const auto& row : rows_) {
    for (std::size_t column = 0; column < row.size(); ++column) {
      widths[column] = std::max(widths[column], DisplayWidth(row[column]));
    }
  }
  for (const auto& row : rows_) {
    std::string line;
    for (std::size_t column = 0; column < row.size(); ++column) {
      line += row[column];
      if (column + 1 < row.size()) {
        line.append(widths[column] - DisplayWidth(row[column]) + 2, ' ');
      }
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
  }
}

}  // namespace varnok::cli
