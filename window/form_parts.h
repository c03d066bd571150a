#pragma once
// What the form's files share: the object names the tests and the keys go by,
// the form's own measures, and each operation button's member and handler.

#include <QString>
#include <string_view>

class QPushButton;
class QObject;
class TForm1;

namespace form {

// The form's size and the measures its layout keeps.
constexpr int kFormWidth = 982;
constexpr int kFormHeight = 686;
constexpr int kPageHeight = 249;
constexpr int kPathBoxWidth = 601;
// Default column widths of the component table, the byte dump and the rules.
constexpr int kColumnWidth = 90;
constexpr int kByteColumnWidth = 20;
constexpr int kRuleColumnWidth = 64;
constexpr int kFixedColumnWidth = 24;

// The widget, given the name the form's code and tests know it by.
template <typename Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// The user's decimal separator; the point where the locale's is not one byte.
char systemDecimalSeparator();

// The form's member and click handler of an operation button of the button
// table; throws std::out_of_range for a name the form has no button for.
struct FormButton {
  std::string_view name;
  QPushButton* TForm1::*control;
  void (TForm1::*handler)(QObject*);
};
const FormButton& formButton(std::string_view name);

}  // namespace form
