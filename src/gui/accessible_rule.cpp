#include "gui/accessible_rule.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>

namespace varnok {

namespace {

class AccessibleRule : public QAccessibleWidget {
 public:
  explicit AccessibleRule(QFrame* rule) : QAccessibleWidget(rule, QAccessible::Separator) {}
  QString text(QAccessible::Text /*kind*/) const override { return {}; }
};

QAccessibleInterface* MakeAccessibleRule(const QString& class_name, QObject* object) {
  auto* frame = qobject_cast<QFrame*>(object);
  if (class_name != QStringLiteral("QFrame") || frame == nullptr) return nullptr;
  const QFrame::Shape shape = frame->frameShape();
  return shape == QFrame::HLine || shape == QFrame::VLine ? new AccessibleRule(frame) : nullptr;
}

}  // namespace

void MakeHorizontalRule(QFrame& frame) {
  // Installed before the rule's first interface is made, which is kept for its life.
  static const bool installed = (QAccessible::installFactory(MakeAccessibleRule), true);
  (void)installed;
  frame.setFrameShape(QFrame::HLine);
  frame.setFrameShadow(QFrame::Sunken);
}

}  // namespace varnok
