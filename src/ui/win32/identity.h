// ui/win32: how a native window of this program is tied to its model name,
// for accessibility and automation tools and for the end-to-end tests.
//
// - A form's top-level window belongs to a window class named after the form
//   (e.g. "ORVENDA_MAIN") and carries the form's caption.
// - A control's window carries the property kControlNameProp, whose value is
//   the global atom of the control's model name (e.g.
//   "SEND_TO_ADDRESS_TEXTBOX"); GlobalGetAtomNameW turns it back into the
//   name from any process. The names are set when a tool asks for them, by
//   sending the registered message kNameControlsMessage to the form's window
//   (it returns once every control made so far has its name), so that a
//   start with nobody asking does not wait on two requests to the window
//   system per control.
// - A control's ID is kFirstControlId + its index in Form::controls(); a
//   timer uses the same number as its timer ID on the form's window.
#pragma once

namespace orvenda::ui::win32 {

inline constexpr wchar_t kControlNameProp[] = L"Orvenda.ControlName";
inline constexpr wchar_t kNameControlsMessage[] = L"Orvenda.NameControls";
inline constexpr int kFirstControlId = 1000;

}  // namespace orvenda::ui::win32
