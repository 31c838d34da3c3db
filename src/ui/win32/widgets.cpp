// ui/win32: the native control wrappers. Touches user32 and comctl32 only.
#include "ui/win32/widgets.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <unordered_map>

namespace orvenda::ui::win32 {

Widget::~Widget() {
    if (hwnd) DestroyWindow(hwnd);
}

void Widget::create(const wchar_t* className, DWORD ownStyle, const CreateArgs& args) {
    DWORD style = WS_CHILD | ownStyle | args.style;
    if (args.visible) style |= WS_VISIBLE;
    if (!args.enabled) style |= WS_DISABLED;
    const RECT& r = args.bounds;
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id));
    hwnd = CreateWindowExW(args.exStyle, className, args.text.c_str(), style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, args.parent, id, GetModuleHandleW(nullptr), nullptr);
    if (hwnd && args.font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
}

// The window's own flag: IsWindowVisible also looks at the parent, which
// may not be shown yet.
bool Widget::shown() const { return hwnd && (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

void Widget::setVisible(bool visible) {
    if (hwnd) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void Widget::setEnabled(bool enabled) {
    if (hwnd) EnableWindow(hwnd, enabled);
}

void Widget::setText(std::wstring_view text) {
    if (hwnd) SetWindowTextW(hwnd, std::wstring(text).c_str());
}

std::wstring Widget::text() const {
    if (!hwnd) return {};
    int n = GetWindowTextLengthW(hwnd);
    std::wstring out(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, out.data(), n + 1);
    out.resize(static_cast<size_t>(n));
    return out;
}

void Widget::setBounds(const RECT& r) {
    if (hwnd)
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void Widget::setFont(HFONT font) {
    if (hwnd) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// --- Edit ---

// The Edit of each subclassed edit window, on the one user-interface thread.
std::unordered_map<HWND, Edit*>& Edit::edits() {
    static std::unordered_map<HWND, Edit*> table;
    return table;
}

void Edit::create(const CreateArgs& args, Style s) {
    DWORD own = WS_TABSTOP | ES_LEFT;
    if (s.multiLine)
        own |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    else
        own |= ES_AUTOHSCROLL;
    if (s.verticalScroll) own |= WS_VSCROLL;
    if (s.password) own |= ES_PASSWORD;
    if (s.readOnly) own |= ES_READONLY;
    CreateArgs a = args;
    a.exStyle |= WS_EX_CLIENTEDGE;
    Widget::create(L"EDIT", own, a);
    if (!hwnd) return;
    // No length limit (the default stops typing and pasting at 32K).
    SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
    if (s.password) SendMessageW(hwnd, EM_SETPASSWORDCHAR, L'*', 0);
    edits()[hwnd] = this;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Edit::subclassProc)));
}

void Edit::replaceText(std::wstring_view text) {
    replacing_ = true;
    setText(text);
    replacing_ = false;
}

void Edit::changed() {
    if (!replacing_ && onChanged) onChanged();
}

void Edit::command(WORD code) {
    if (code == EN_CHANGE) changed();
}

LRESULT CALLBACK Edit::subclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    Edit* const self = edits()[h];
    const WNDPROC original = self->original_;
    auto next = [&] { return CallWindowProcW(original, h, msg, wp, lp); };
    switch (msg) {
    case WM_SETTEXT:
    case EM_REPLACESEL:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO: {
        LRESULT r = next();
        self->changed();
        return r;
    }
    case WM_GETDLGCODE: {
        // The dialog keys of a multi-line field, as in a single-line one:
        // Tab and Shift+Tab move to the next or previous field, and Escape
        // goes to the window, which ignores it (a multi-line edit in dialog
        // mode would close its parent). Enter stays a new line. Tabbing into
        // the field keeps its caret: selecting the whole body would let the
        // next keystroke replace it.
        LRESULT r = next();
        if (!(GetWindowLongW(h, GWL_STYLE) & ES_MULTILINE)) return r;
        r &= ~DLGC_HASSETSEL;
        auto* m = reinterpret_cast<const MSG*>(lp);
        if (m && (m->message == WM_KEYDOWN || m->message == WM_CHAR) &&
            (m->wParam == VK_TAB || m->wParam == VK_ESCAPE))
            r &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
        return r;
    }
    case WM_KEYDOWN:
    case WM_CHAR:
        // Escape reaching the field itself closes nothing either.
        if (wp == VK_ESCAPE && (GetWindowLongW(h, GWL_STYLE) & ES_MULTILINE)) return 0;
        break;
    case WM_NCDESTROY:
        edits().erase(h);
        self->hwnd = nullptr;
        break;
    }
    return next();
}

// --- CheckBox, PushButton ---

void CheckBox::create(const CreateArgs& args) { Widget::create(L"BUTTON", BS_CHECKBOX | WS_TABSTOP, args); }

void CheckBox::setChecked(bool on) {
    if (hwnd) Button_SetCheck(hwnd, on ? BST_CHECKED : BST_UNCHECKED);
}

bool CheckBox::checked() const {
    return hwnd && Button_GetCheck(hwnd) == BST_CHECKED;
}

void CheckBox::command(WORD code) {
    if (code == BN_CLICKED && onClicked) onClicked();
}

// A caption too long for one line wraps onto the next, as in a tall button
// such as the address book's CLEAR; one that fits looks as before.
void PushButton::create(const CreateArgs& args) {
    Widget::create(L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, args);
}

void PushButton::command(WORD code) {
    if (code == BN_CLICKED && onClicked) onClicked();
}

// --- StaticText, GroupBox ---

void StaticText::create(const CreateArgs& args, Align align) {
    DWORD own = SS_NOTIFY | SS_NOPREFIX;
    own |= align == Align::Center ? SS_CENTER : align == Align::Right ? SS_RIGHT : SS_LEFT;
    Widget::create(L"STATIC", own, args);
}

void StaticText::command(WORD code) {
    if (code == STN_CLICKED && onClicked) onClicked();
    if (code == STN_DBLCLK && onDoubleClicked) onDoubleClicked();
}

// Only the two kinds that lie under other controls clip their siblings: a
// frame under the boxes it holds, a status bar under what a small window
// pushes onto it. The other controls overlap nothing, and clipping would
// only cost each of them a visible region worked out against all the rest.
void GroupBox::create(const CreateArgs& args) { Widget::create(L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, args); }

// --- StatusBar ---

void StatusBar::create(const CreateArgs& args, bool sizeGrip) {
    Widget::create(STATUSCLASSNAMEW, WS_CLIPSIBLINGS | (sizeGrip ? SBARS_SIZEGRIP : 0), args);
}

void StatusBar::setParts(const std::vector<int>& widths) {
    widths_ = widths;
    parentResized();
}

void StatusBar::parentResized() {
    if (!hwnd) return;
    SendMessageW(hwnd, WM_SIZE, 0, 0);
    RECT client{};
    GetClientRect(hwnd, &client);
    int fixed = 0;
    for (int w : widths_) fixed += w;
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < widths_.size(); ++i) {
        x += widths_[i] ? widths_[i] : std::max(0, int(client.right) - fixed);
        edges.push_back(i + 1 == widths_.size() ? -1 : x);
    }
    if (!edges.empty())
        SendMessageW(hwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::setPartText(int part, std::wstring_view text) {
    if (hwnd && partText(part) != text)
        SendMessageW(hwnd, SB_SETTEXTW, static_cast<WPARAM>(part),
                     reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
}

std::wstring StatusBar::partText(int part) const {
    if (!hwnd) return {};
    auto n = LOWORD(SendMessageW(hwnd, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring out(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(hwnd, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(out.data()));
    out.resize(n);
    return out;
}

}  // namespace orvenda::ui::win32
