#include "printer_settings/window/key_filter_glue.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMetaObject>
#include <QMouseEvent>
#include <QString>
#include <optional>
#include <vector>

#include "printer_settings/key_filter.h"
#include "spooler/message_boxes.h"

namespace varnok {
namespace {

// The character codes a key press types, as the filters know them: Enter 13, Backspace 8,
// Ctrl with a letter its control code (Ctrl+C, Ctrl+X and Ctrl+V are 3, 24 and 22), any other
// key its text. Empty for keys that type nothing: Tab, Delete, arrows, Home, End.
std::vector<int> TypedCodes(const QKeyEvent& event) {
  const int key = event.key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return {kEnterKey};
    case Qt::Key_Backspace:
      return {kBackspaceKey};
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return {};
    default:
      break;
  }
  if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
    return {key - Qt::Key_A + 1};
  }
  std::vector<int> codes;
  for (char32_t code : event.text().toUcs4()) codes.push_back(static_cast<int>(code));
  return codes;
}

// Clipboard keys that type no character, such as Shift+Insert.
bool IsClipboardKey(const QKeyEvent& event) {
  return event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut) ||
         event.matches(QKeySequence::Copy);
}

// Selects the whole text of whichever field of the window has the focus once the key press
// has been handled, as the keys Home and Shift+End would: anchor at the start, cursor at the
// end.
void SelectFocusedFieldLater(QLineEdit& field) {
  QMetaObject::invokeMethod(
      &field,
      [&field] {
        if (auto* focused = qobject_cast<QLineEdit*>(field.window()->focusWidget())) {
          focused->selectAll();
        }
      },
      Qt::QueuedConnection);
}

// The key-press handler of one filtered field (Text1_KeyPress, Text2_KeyPress, ...).
class TextKeyPress : public QObject {
 public:
  TextKeyPress(KeyFilter filter, QLineEdit& field, QLineEdit* successor, UserMessages& messages)
      : QObject(&field),
        filter_(filter),
        field_(field),
        successor_(successor),
        messages_(messages) {}

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        return KeyPress(static_cast<const QKeyEvent&>(*event));
      case QEvent::InputMethod:
        // Committed text goes through the filter like typed characters; nothing else shows.
        for (char32_t code :
             static_cast<const QInputMethodEvent&>(*event).commitString().toUcs4()) {
          Type(static_cast<int>(code));
        }
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        // The middle button pastes the selection on X11.
        return static_cast<const QMouseEvent&>(*event).button() == Qt::MiddleButton;
      default:
        return false;
    }
  }

 private:
  bool KeyPress(const QKeyEvent& event) {
    const std::vector<int> codes = TypedCodes(event);
    if (codes.empty()) return IsClipboardKey(event);
    for (int code : codes) Type(code);
    return true;
  }

  void Type(int code) {
    const KeyDecision decision = FilterKey(filter_, code, field_.text().toStdString());
    if (decision.warn_over_limit) messages_.Show(OverLimitWarning());
    Apply(decision.key);
    if (decision.move_to_next && successor_ != nullptr) successor_->setFocus();
    if (decision.select_all_after) SelectFocusedFieldLater(field_);
  }

  void Apply(int key) {
    if (key == kBackspaceKey) {
      field_.backspace();
    } else if (key != kDiscardKey && key != kEnterKey) {
      const auto character = static_cast<char32_t>(key);
      field_.insert(QString::fromUcs4(&character, 1));
    }
  }

  KeyFilter filter_;
  QLineEdit& field_;
  QLineEdit* successor_;
  UserMessages& messages_;
};

}  // namespace

void InstallKeyFilters(Language window, const TextFields& fields, UserMessages& messages) {
  for (int number = 1; number <= static_cast<int>(fields.size()); ++number) {
    const std::optional<KeyFilter> filter = FieldKeyFilter(window, number);
    if (!filter) continue;
    QLineEdit& field = *fields[static_cast<size_t>(number - 1)];
    const std::optional<int> successor = NetworkFieldSuccessor(number);
    field.installEventFilter(new TextKeyPress(
        *filter, field, successor ? fields[static_cast<size_t>(*successor - 1)] : nullptr,
        messages));
    // Text gets into a filtered field by typing only.
    field.setContextMenuPolicy(Qt::NoContextMenu);
    field.setAcceptDrops(false);
  }
}

}  // namespace varnok
