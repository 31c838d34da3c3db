// ui/win32: thin wrappers over the native controls the peer uses.
//
// One small struct per control kind. Each knows its window class and styles,
// is created from one CreateArgs, and reports what the user did through
// std::function callbacks; none of them knows the form model. The parent
// window routes WM_COMMAND / WM_NOTIFY to `command()` of the widget whose
// HWND sent it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvenda::ui::win32 {

// Everything a native control is created from, gathered in one place.
struct CreateArgs {
    HWND parent = nullptr;
    DWORD style = 0;    // added to WS_CHILD and the widget's own styles
    DWORD exStyle = 0;
    std::wstring text;
    RECT bounds{};      // pixels, in the parent's client coordinates
    int id = 0;
    HFONT font = nullptr;
    bool visible = true;
    bool enabled = true;
};

struct Widget {
    HWND hwnd = nullptr;

    Widget() = default;
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;
    virtual ~Widget();

    void setVisible(bool visible);
    bool shown() const;
    void setEnabled(bool enabled);
    void setText(std::wstring_view text);
    std::wstring text() const;
    void setBounds(const RECT& r);
    void setFont(HFONT font);
    // A notification code sent to the parent by this control.
    virtual void command(WORD) {}

protected:
    void create(const wchar_t* className, DWORD ownStyle, const CreateArgs& args);
};

// EDIT. Reports every change of its text, whatever brought it: typing, paste,
// undo, and WM_SETTEXT / EM_REPLACESEL sent by any program (a multi-line edit
// sends no EN_CHANGE for WM_SETTEXT, hence the subclass). Changes made
// through `replaceText` are not reported. The subclass is the edit's window
// procedure replaced, and finds its Edit in a table of the process's own:
// comctl32's SetWindowSubclass asks the window system for a property on
// every message, a round trip to Wine's server.
struct Edit : Widget {
    struct Style {
        bool multiLine = false;
        bool verticalScroll = false;
        bool password = false;
        bool readOnly = false;
    };
    std::function<void()> onChanged;

    void create(const CreateArgs& args, Style style);
    // Sets the text without reporting it back.
    void replaceText(std::wstring_view text);
    void command(WORD code) override;

private:
    static LRESULT CALLBACK subclassProc(HWND, UINT, WPARAM, LPARAM);
    static std::unordered_map<HWND, Edit*>& edits();
    void changed();
    bool replacing_ = false;
    WNDPROC original_ = nullptr;  // the edit class's own procedure
};

// A non-automatic check box: clicking it only reports the click.
struct CheckBox : Widget {
    std::function<void()> onClicked;
    void create(const CreateArgs& args);
    void setChecked(bool checked);
    bool checked() const;
    void command(WORD code) override;
};

struct PushButton : Widget {
    std::function<void()> onClicked;
    void create(const CreateArgs& args);
    void command(WORD code) override;
};

// STATIC text with SS_NOTIFY.
struct StaticText : Widget {
    enum class Align { Left, Center, Right };
    std::function<void()> onClicked;
    std::function<void()> onDoubleClicked;
    void create(const CreateArgs& args, Align align);
    void command(WORD code) override;
};

struct GroupBox : Widget {
    void create(const CreateArgs& args);
};

// The common controls' status bar; it places itself along the parent's
// bottom edge.
struct StatusBar : Widget {
    void create(const CreateArgs& args, bool sizeGrip);
    // Part widths in pixels, left to right; 0 takes what the others leave.
    void setParts(const std::vector<int>& widths);
    void setPartText(int part, std::wstring_view text);
    std::wstring partText(int part) const;
    // Called from the parent's WM_SIZE.
    void parentResized();

private:
    std::vector<int> widths_;
};

}  // namespace orvenda::ui::win32
