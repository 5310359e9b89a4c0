#pragma once

class QComboBox;
class QString;

namespace varnok {

// Makes a drop-down list known to screen readers by its caption, which stays its name once an
// entry is chosen (Qt on Unix would announce the chosen entry as the name). The chosen entry is
// the list's value and its description: Qt's AT-SPI bridge publishes the description, not the
// value, and tells screen readers each time it changes.
void SetUpAccessibleComboBox(QComboBox& box, const QString& name);

}  // namespace varnok
