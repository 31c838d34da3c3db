// The Win32 peer in this process: a sample form on the real backend, with
// real messages sent to its real controls and the model checked directly.
#include "ui/win32/backend.h"  // before <windows.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>

#include "ui/win32/identity.h"
#include "ui/win32/units.h"

namespace orvenda::ui::win32 {
namespace {

Look at(float left, float top, float width, float height, int tab = -1) {
    return Look{Bounds{left, top, width, height}, tab, {}, {}, {}};
}

class Sample : public Form {
public:
    explicit Sample(Application& app)
        : Form(app, "PEER_SAMPLE", "PEER SAMPLE", Border::Sizable, Bounds{0, 0, 7200, 5400}),
          late(add<TextBox>("LATE_TEXTBOX", at(120, 1800, 3000, 285, 3), "late")),
          nameLabel(add<Label>("NAME_LABEL", at(120, 120, 900, 285, 1), "Name", Align::Right)),
          name(add<TextBox>("NAME_TEXTBOX", at(1080, 120, 3000, 285, 1), "start")),
          body(add<TextBox>("BODY_TEXTBOX", at(120, 480, 6000, 1200, 2), "one\r\ntwo",
                            TextBoxStyle{true, true, false, false})),
          secret(add<TextBox>("SECRET_TEXTBOX", at(120, 2200, 3000, 285, 4), "pw",
                              TextBoxStyle{false, false, true, false})),
          tick(add<TickBox>("SAMPLE_TICKBOX", at(120, 2600, 2000, 285, 5), "Tick", 0)),
          go(add<Button>("GO_BUTTON", at(120, 3000, 1200, 375, 0), "GO")),
          clock(add<Timer>("SAMPLE_TIMER", 30, false)) {
        late.setVisible(false);
        tick.onClick = [this] { ++tickClicks; };
        go.onClick = [this] { ++goClicks; };
        nameLabel.onClick = [this] { ++labelClicks; };
        clock.onTimer = [this] { if (onTimer) onTimer(); };
    }
    void Form_Unload() override { ++*unloads; }

    TextBox& late;
    Label& nameLabel;
    TextBox& name;
    TextBox& body;
    TextBox& secret;
    TickBox& tick;
    Button& go;
    Timer& clock;
    int tickClicks = 0, goClicks = 0, labelClicks = 0;
    int* unloads = &ownUnloads;
    int ownUnloads = 0;
    std::function<void()> onTimer;
};

// Runs the calling thread's messages for `ms`; a WM_QUIT is noted, not obeyed.
bool pump(int ms) {
    bool quit = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                quit = true;
            else
                Win32Backend::handleMessage(msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (std::chrono::steady_clock::now() < end);
    return quit;
}

HWND child(Form& form, const char* name) {
    HWND parent = reinterpret_cast<HWND>(form.handle());
    const int index = int(std::find_if(form.controls().begin(), form.controls().end(),
                                       [&](auto& c) { return c->name() == name; }) -
                          form.controls().begin());
    return GetDlgItem(parent, kFirstControlId + index);
}

std::wstring textOf(HWND h) {
    std::wstring s(size_t(GetWindowTextLengthW(h)) + 1, L'\0');
    s.resize(size_t(GetWindowTextW(h, s.data(), int(s.size()))));
    return s;
}

class PeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.define("PEER_SAMPLE", [](Application& a) { return std::make_unique<Sample>(a); });
        form = &app.form<Sample>("PEER_SAMPLE");
        form->show();
        pump(50);
    }
    void TearDown() override {
        if (app.loaded("PEER_SAMPLE")) form->unload();
        pump(20);
    }
    HWND hwnd() { return reinterpret_cast<HWND>(form->handle()); }
    Win32Backend backend;
    Application app{backend};
    Sample* form = nullptr;
};

TEST_F(PeerTest, TextReachesTheModelByEveryRoute) {
    HWND body = child(*form, "BODY_TEXTBOX");
    HWND name = child(*form, "NAME_TEXTBOX");
    // A multi-line edit sends no EN_CHANGE for WM_SETTEXT.
    SendMessageW(body, WM_SETTEXT, 0, LPARAM(L"first\r\nsecond"));
    EXPECT_EQ(form->body.text(), "first\r\nsecond");
    SendMessageW(body, EM_SETSEL, 13, 13);
    SendMessageW(body, EM_REPLACESEL, TRUE, LPARAM(L"\r\nthird"));
    EXPECT_EQ(form->body.text(), "first\r\nsecond\r\nthird");
    SendMessageW(name, WM_SETTEXT, 0, LPARAM(L"caf\u00e9 \u20ac"));
    EXPECT_EQ(form->name.text(), "caf\xc3\xa9 \xe2\x82\xac");
    // Typing: characters posted to the focused field.
    SetFocus(name);
    SendMessageW(name, EM_SETSEL, 0, -1);
    SendMessageW(name, WM_CHAR, L'x', 0);
    EXPECT_EQ(form->name.text(), "x");
    SendMessageW(name, WM_UNDO, 0, 0);
    EXPECT_EQ(form->name.text(), "caf\xc3\xa9 \xe2\x82\xac");
}

TEST_F(PeerTest, ModelTextReachesTheFieldOnlyWhenItDiffers) {
    HWND body = child(*form, "BODY_TEXTBOX");
    EXPECT_EQ(textOf(body), L"one\r\ntwo");
    SendMessageW(body, EM_SETSEL, 1, 3);
    form->body.setText("one\r\ntwo");  // same text: the selection stays
    DWORD from = 0, to = 0;
    SendMessageW(body, EM_GETSEL, WPARAM(&from), LPARAM(&to));
    EXPECT_EQ(from, 1u);
    EXPECT_EQ(to, 3u);
    // A hand edit is replaced by the next model text.
    SendMessageW(body, WM_SETTEXT, 0, LPARAM(L"by hand"));
    form->body.setText("one\r\ntwo");
    EXPECT_EQ(textOf(body), L"one\r\ntwo");
    EXPECT_EQ(form->body.text(), "one\r\ntwo");
}

TEST_F(PeerTest, FieldsHaveNoLengthLimitAndPasswordsShowStars) {
    HWND name = child(*form, "NAME_TEXTBOX");
    EXPECT_GT(SendMessageW(name, EM_GETLIMITTEXT, 0, 0), 1'000'000);
    std::wstring big(100'000, L'z');
    SendMessageW(name, WM_SETTEXT, 0, LPARAM(big.c_str()));
    EXPECT_EQ(form->name.text().size(), 100'000u);
    // Typing past 32K characters still works.
    SendMessageW(name, EM_SETSEL, 100'000, 100'000);
    SendMessageW(name, WM_CHAR, L'!', 0);
    EXPECT_EQ(form->name.text().size(), 100'001u);

    HWND secret = child(*form, "SECRET_TEXTBOX");
    EXPECT_EQ(SendMessageW(secret, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_EQ(textOf(secret), L"pw");
    EXPECT_TRUE(GetWindowLongW(child(*form, "BODY_TEXTBOX"), GWL_STYLE) & ES_MULTILINE);
    EXPECT_TRUE(GetWindowLongW(child(*form, "BODY_TEXTBOX"), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(PeerTest, HiddenFieldIsCreatedWhenShownInItsTabPlace) {
    EXPECT_EQ(child(*form, "LATE_TEXTBOX"), nullptr);
    form->late.setVisible(true);
    HWND late = child(*form, "LATE_TEXTBOX");
    ASSERT_NE(late, nullptr);
    EXPECT_TRUE(IsWindowVisible(late));
    EXPECT_EQ(textOf(late), L"late");
    // Tab index 3: after the body (2), before the password field (4).
    EXPECT_EQ(GetWindow(late, GW_HWNDPREV), child(*form, "BODY_TEXTBOX"));
    EXPECT_EQ(GetWindow(late, GW_HWNDNEXT), child(*form, "SECRET_TEXTBOX"));
    // Hidden, it takes new texts only when shown again.
    form->late.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(late));
    form->late.setText("changed");
    EXPECT_EQ(textOf(late), L"late");
    form->late.setVisible(true);
    EXPECT_EQ(textOf(late), L"changed");
}

TEST_F(PeerTest, TabOrderLabelsAndFirstFocus) {
    // Created by tab index: GO (0), then the label and its field (1), ...
    HWND first = GetWindow(hwnd(), GW_CHILD);
    EXPECT_EQ(first, child(*form, "GO_BUTTON"));
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), child(*form, "NAME_LABEL"));
    EXPECT_EQ(GetWindow(child(*form, "NAME_LABEL"), GW_HWNDNEXT), child(*form, "NAME_TEXTBOX"));
    EXPECT_EQ(GetFocus(), child(*form, "GO_BUTTON"));
    // Tab moves on through the message loop's dialog handling.
    MSG msg{child(*form, "GO_BUTTON"), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    Win32Backend::handleMessage(msg);
    EXPECT_EQ(GetFocus(), child(*form, "NAME_TEXTBOX"));
    // Tab leaves a multi-line field too (the hidden field is skipped)
    // instead of typing a tab into it.
    HWND body = child(*form, "BODY_TEXTBOX");
    SetFocus(body);
    MSG tab{body, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    Win32Backend::handleMessage(tab);
    EXPECT_EQ(GetFocus(), child(*form, "SECRET_TEXTBOX"));
    EXPECT_EQ(form->body.text(), "one\r\ntwo");
}

TEST_F(PeerTest, ClicksEnterTheModelAndTheModelAloneTicks) {
    HWND tick = child(*form, "SAMPLE_TICKBOX");
    SendMessageW(tick, BM_CLICK, 0, 0);
    EXPECT_EQ(form->tick.value(), 1);
    EXPECT_EQ(form->tickClicks, 1);
    EXPECT_EQ(SendMessageW(tick, BM_GETCHECK, 0, 0), BST_CHECKED);
    form->tick.setValue(0);
    EXPECT_EQ(SendMessageW(tick, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    form->tick.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(tick));
    SendMessageW(tick, BM_CLICK, 0, 0);
    EXPECT_EQ(form->tick.value(), 0);

    SendMessageW(child(*form, "GO_BUTTON"), BM_CLICK, 0, 0);
    EXPECT_EQ(form->goClicks, 1);
    form->go.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(child(*form, "GO_BUTTON")));

    HWND label = child(*form, "NAME_LABEL");
    EXPECT_TRUE(GetWindowLongW(label, GWL_STYLE) & SS_NOTIFY);
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED), LPARAM(label));
    EXPECT_EQ(form->labelClicks, 1);
}

TEST_F(PeerTest, GeometryMapsTwipsToPixelsAndBackOnlyWhenMoved) {
    const unsigned dpi = windowDpi(hwnd());
    form->setGeometry(Bounds{1000, 1000, 13575, 8250});
    RECT r;
    GetWindowRect(hwnd(), &r);
    EXPECT_EQ(r.left, toPixels(1000, dpi));
    EXPECT_EQ(r.right - r.left, toPixels(13575, dpi));
    EXPECT_EQ(r.bottom - r.top, toPixels(8250, dpi));
    if (dpi == 96) {
        EXPECT_EQ(r.left, 67);
        EXPECT_EQ(r.right - r.left, 905);
        EXPECT_EQ(r.bottom - r.top, 550);
    }
    pump(30);
    EXPECT_EQ(form->geometry(), (Bounds{1000, 1000, 13575, 8250}));  // not 1005

    SetWindowPos(hwnd(), nullptr, 100, 120, 600, 400, SWP_NOZORDER);
    EXPECT_EQ(form->geometry(), toTwips(RECT{100, 120, 700, 520}, dpi));

    // Minimized or maximized: the model keeps the restored rectangle.
    ShowWindow(hwnd(), SW_MINIMIZE);
    pump(30);
    EXPECT_EQ(form->geometry(), toTwips(RECT{100, 120, 700, 520}, dpi));
    ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_MAXIMIZE);
    pump(30);
    EXPECT_EQ(form->geometry(), toTwips(RECT{100, 120, 700, 520}, dpi));
    ShowWindow(hwnd(), SW_RESTORE);

    // Absurd values do not overflow.
    form->setGeometry(Bounds{1e30f, -1e30f, 1e30f, std::numeric_limits<float>::quiet_NaN()});
    EXPECT_TRUE(IsWindow(hwnd()));
    EXPECT_EQ(toPixels(std::numeric_limits<float>::quiet_NaN(), 96), 0);
    EXPECT_EQ(toPixels(1e30f, 96), 1'000'000);
}

TEST_F(PeerTest, TimersFireInTheLoopAndFollowTheModel) {
    int fired = 0;
    form->onTimer = [&] { ++fired; };
    pump(120);
    EXPECT_EQ(fired, 0);  // created disabled
    form->clock.setTimerEnabled(true);
    pump(200);
    EXPECT_GE(fired, 2);
    form->clock.setTimerEnabled(false);
    const int stopped = fired;
    pump(120);
    EXPECT_EQ(fired, stopped);
}

TEST_F(PeerTest, CloseBoxUnloadsAndTheLastFormQuits) {
    int unloads = 0;
    form->unloads = &unloads;
    HWND h = hwnd();
    SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(app.loaded("PEER_SAMPLE"));
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(pump(20));  // WM_QUIT posted
}

TEST_F(PeerTest, ModalShowDisablesTheOwnerAndTimersKeepFiring) {
    app.define("PEER_MODAL", [](Application& a) {
        auto f = std::make_unique<Form>(a, "PEER_MODAL", "MODAL", Border::FixedTool, Bounds{0, 0, 3000, 2000});
        f->add<Button>("OK_BUTTON", at(100, 100, 900, 375, 0), "OK");
        return f;
    });
    Form& modal = app.form("PEER_MODAL");
    bool ownerEnabledMeanwhile = true;
    int ticks = 0;
    form->onTimer = [&] {
        if (++ticks == 3) {
            ownerEnabledMeanwhile = IsWindowEnabled(hwnd()) != FALSE;
            HWND m = reinterpret_cast<HWND>(app.form("PEER_MODAL").handle());
            EXPECT_EQ(GetWindow(m, GW_OWNER), hwnd());
            EXPECT_TRUE(GetWindowLongW(m, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
            PostMessageW(m, WM_CLOSE, 0, 0);
        }
    };
    form->clock.setTimerEnabled(true);
    modal.showModal(*form);  // returns once the modal form is unloaded
    EXPECT_GE(ticks, 3);
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_FALSE(app.loaded("PEER_MODAL"));
    EXPECT_TRUE(IsWindowEnabled(hwnd()));
    EXPECT_TRUE(form->acceptsInput());
}

}  // namespace
}  // namespace orvenda::ui::win32
