#pragma once
// The library's own message texts and the box that shows them. The library
// cannot reach the program's message layer, so this is a real modal box.

class QString;
class QWidget;

namespace qddlg {

inline constexpr const char* kWarningTitle = "warning";
inline constexpr const char* kNoElement = "There is no element.";
inline constexpr const char* kSizeBelowOne = "The Width or Height of Image Can Not be less than 1.";
inline constexpr const char* kFileTooShort = "File size is too short";
// The raw-import record holds 32-bit sizes.
inline constexpr const char* kDataTooLarge =
    "Image data of more than 2147483647 bytes cannot be imported.";

// A modal box over parent: the text titled "warning", warning icon, OK.
void showWarning(QWidget* parent, const QString& text);

} // namespace qddlg
