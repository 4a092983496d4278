#pragma once

#include <QString>

namespace ly {

enum NoticeKind { NoticeError = 1, NoticeWarning = 2, NoticeInformation = 3 };

// A message box with only an OK button: kind 1 "Error", 2 "Warning", 3 "Information", with
// the matching icon; any other kind shows nothing.
void ShowNotice(int kind, const QString &text);

// Tests replace the box: the hook receives kind and text instead of a box being shown.
using NoticeHook = void (*)(int kind, const QString &text);
void SetNoticeHook(NoticeHook hook);

} // namespace ly
