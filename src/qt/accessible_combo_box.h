#pragma once

class QComboBox;
class QString;

namespace varnok {

// Names a drop-down list for screen readers. The name stays the caption once an entry is chosen
// (Qt on Unix announces the chosen entry as the name); the chosen entry is the list's value.
void SetComboBoxAccessibleName(QComboBox& box, const QString& name);

}  // namespace varnok
