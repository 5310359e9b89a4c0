#pragma once

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace varnok::cli {

// A table for people: a heading row and rows of cells, printed in columns two blanks apart.
// Cells are shown with Visible, so any text lines up and nothing breaks a line.
class Table {
 public:
  explicit Table(std::initializer_list<std::string_view> headings);
  void Add(std::vector<std::string> cells);
  bool empty() const { return rows_.size() == 1; }
  void Print(std::ostream& out) const;

 private:
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace varnok::cli
