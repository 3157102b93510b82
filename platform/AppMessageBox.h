#pragma once

#include <QString>

#include <functional>

namespace platform {

// Flags and results of the application's message box, as the program uses
// them: a stop icon with OK, or a question with Yes and No.
constexpr int MB_ICONSTOP_OK = 16;    // stop icon, OK button
constexpr int MB_QUESTION_YESNO = 36; // question icon, Yes and No buttons
constexpr int ID_OK = 1;
constexpr int ID_YES = 6;
constexpr int ID_NO = 7;

// Shows a modal message box owned by the application's active window, with
// `caption` as its title, and returns the button pressed (ID_OK, ID_YES or
// ID_NO).
int AppMessageBox(const QString &text, const QString &caption, int flags);

// The application's report of an error that escaped an event handler: its
// text in a message box with the stop icon and the application's title.
void ReportApplicationError(const QString &message);

// Tests answer message boxes through this hook: while it is set, AppMessageBox
// calls it instead of showing a box and returns its result.
using MessageBoxHook = std::function<int(const QString &text, const QString &caption, int flags)>;
void SetMessageBoxHook(MessageBoxHook hook);

} // namespace platform
