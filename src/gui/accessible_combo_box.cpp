#include "gui/accessible_combo_box.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace varnok {

namespace {

// What Qt reports for a drop-down list, except for the name: the list's accessible name or
// buddy label, and the chosen entry only when it has neither; the chosen entry is also the
// description.
class AccessibleComboBox : public QAccessibleWidget {
 public:
  explicit AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  QString text(QAccessible::Text kind) const override {
    const QString entry = Box()->currentText();
    if (kind == QAccessible::Value || kind == QAccessible::Description) return entry;
    const QString text = QAccessibleWidget::text(kind);
    return kind == QAccessible::Name && text.isEmpty() ? entry : text;
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = Box()->isVisible() && Box()->view()->isVisible();
    return state;
  }

  // The one child is the popup list.
  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child->object() == Box()->view() ? 0 : -1;
  }

  // Pressing the list or asking for its menu opens the popup, or closes it when open.
  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& action) override {
    if (!actionNames().contains(action)) return;
    if (Box()->view()->isVisible()) {
      Box()->hidePopup();
    } else {
      Box()->showPopup();
    }
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QComboBox* Box() const { return static_cast<QComboBox*>(object()); }
};

// Editable lists keep Qt's own interface, which also exposes their text field.
QAccessibleInterface* MakeAccessibleComboBox(const QString&, QObject* object) {
  auto* box = qobject_cast<QComboBox*>(object);
  return box != nullptr && !box->isEditable() ? new AccessibleComboBox(box) : nullptr;
}

}  // namespace

void SetUpAccessibleComboBox(QComboBox& box, const QString& name) {
  // Installed after QApplication's own factory, so asked first; before the name is set, so that
  // the list's first interface, made when a screen reader hears of the name, is this one.
  static const bool installed = (QAccessible::installFactory(MakeAccessibleComboBox), true);
  (void)installed;
  box.setAccessibleName(name);
  QObject::connect(&box, &QComboBox::currentIndexChanged, &box, [&box] {
    QAccessibleEvent changed(&box, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
  });
}

}  // namespace varnok
