#pragma once

class QFrame;

namespace varnok {

// Makes the frame a sunken horizontal rule, which screen readers hear of as a separator without
// a name (Qt would give it the role of a border and the caption of the group box around it).
void MakeHorizontalRule(QFrame& frame);

}  // namespace varnok
