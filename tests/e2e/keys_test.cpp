// The key configuration screen as the player uses it: the key fields take real key presses,
// RESET, the JOYSTICK pair, DONE and CANCEL, what the file holds afterwards and what the next
// opening shows, and the error dialog for a key file that cannot be read or written.
//
// Keys are real keyboard input: SendInput puts each press and release into the system's input
// queue with the scan code a PC keyboard sends for it, and the system delivers it to whichever
// window has the keyboard focus, the focused key field, as it would a key the player pressed.
// Before each group of keys the dialog is made the foreground window.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "keys/key_buttons.h"

namespace zorv_e2e {
namespace {

using zorv::kKeyFields;

constexpr int kSlots = 12;
constexpr int kNoFocus = -1;     // no window of the program has the keyboard focus
constexpr int kOtherFocus = -2;  // something other than a key field has it

inline constexpr const ButtonSpec& kDone = ButtonOf(zorv::kKeyButtonTable, zorv::kCommandKeysDone);
inline constexpr const ButtonSpec& kReset = ButtonOf(zorv::kKeyButtonTable, zorv::kCommandKeysReset);
inline constexpr const ButtonSpec& kCancel = ButtonOf(zorv::kKeyButtonTable, zorv::kCommandKeysCancel);
inline constexpr const ButtonSpec& kJoystick1 = ButtonOf(zorv::kKeyButtonTable, zorv::kCommandJoystickLeft);
inline constexpr const ButtonSpec& kJoystick2 = ButtonOf(zorv::kKeyButtonTable, zorv::kCommandJoystickRight);

// The JOYSTICK pair swapped: each button's pictures in the other's place.
constexpr ButtonSpec MovedTo(const ButtonSpec& button, const zorv::ButtonRect& place) {
    ButtonSpec moved = button;
    moved.hot = place;
    return moved;
}
inline constexpr ButtonSpec kSwappedJoysticks[] = {MovedTo(kJoystick1, zorv::kJoystickRightPlace),
                                                   MovedTo(kJoystick2, zorv::kJoystickLeftPlace)};
inline constexpr const ButtonSpec& kJoystick1Right = kSwappedJoysticks[0];
inline constexpr const ButtonSpec& kJoystick2Left = kSwappedJoysticks[1];

inline constexpr ScreenSpec kKeysScreen{"key configuration", zorv::kKeyButtonTable, kKeysBackground};
inline constexpr ScreenSpec kSwappedScreen{"key configuration, swapped", zorv::MakeButtonTable(kSwappedJoysticks),
                                           kKeysBackground};

const char* const kDefaultNames[kSlots] = {"Up", "Left", "Right", "Down", "[",     "]",
                                           "W",  "A",    "D",     "S",    "Shift", "Ctrl"};
const std::vector<int> kDefaultCodes = {328, 331, 333, 336, 26, 27, 17, 30, 32, 31, 42, 29};
using Names = std::vector<std::string>;
Names DefaultNames() { return Names(kDefaultNames, kDefaultNames + kSlots); }

// The file as the program writes it: CR LF line ends.
std::string KeyFile(int custom, const std::vector<int>& codes, int joystick) {
    static const char* const keys[kSlots] = {"#1p-Up", "#1p-Left", "#1p-Right", "#1p-Down", "#1p-Fire01", "#1p-Fire02",
                                             "#2p-Up", "#2p-Left", "#2p-Right", "#2p-Down", "#2p-Fire01", "#2p-Fire02"};
    std::string text = std::to_string(custom) + "\r\n";
    for (int slot = 0; slot < kSlots; ++slot)
        text += std::string(keys[slot]) + " " + std::to_string(codes[slot]) + "\r\n";
    return text + "#JoyStick " + std::to_string(joystick) + "\r\n";
}

// A key as a PC keyboard reports it: virtual key, scan code, extended flag.
struct Key {
    WORD vk;
    WORD scan;
    bool extended;
};
constexpr Key kA{'A', 0x1E, false};
constexpr Key kW{'W', 0x11, false};
constexpr Key kSpace{VK_SPACE, 0x39, false};
constexpr Key kEnter{VK_RETURN, 0x1C, false};
constexpr Key kEscape{VK_ESCAPE, 0x01, false};
constexpr Key kCapsLock{VK_CAPITAL, 0x3A, false};
constexpr Key kBackslash{VK_OEM_5, 0x2B, false};
constexpr Key kShift{VK_SHIFT, 0x2A, false};
constexpr Key kPageDown{VK_NEXT, 0x51, true};
constexpr Key kF10{VK_F10, 0x44, false};
constexpr Key kTab{VK_TAB, 0x0F, false};
constexpr Key kAlt{VK_MENU, 0x38, false};
// The right-hand Ctrl and Shift, which the system reports with the left keys' virtual keys.
constexpr Key kRightCtrl{VK_RCONTROL, 0x1D, true};
constexpr Key kRightShift{VK_RSHIFT, 0x36, false};
// Keypad 8 with Num Lock off: the keyboard sends the keypad's scan code, not extended, and the
// system reports the Up arrow's virtual key for it.
constexpr Key kKeypad8NumLockOff{VK_UP, 0x48, false};

// Real keyboard input: the keys go down in order and come up in reverse order.
bool PressKeys(const std::vector<Key>& keys) {
    std::vector<INPUT> inputs;
    auto add = [&inputs](const Key& key, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key.vk;
        input.ki.wScan = key.scan;
        input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (key.extended ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    };
    for (const Key& key : keys) add(key, false);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) add(*it, true);
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// A click at a screen point, as the mouse gives it: real input, taken after any keys given
// before it.
bool MouseClickAt(POINT screen, DWORD down, DWORD up) {
    PutPointer(screen);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = down;
    inputs[1].mi.dwFlags = up;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}
bool RightClickAt(POINT screen) { return MouseClickAt(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }
bool LeftClickAt(POINT screen) { return MouseClickAt(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

::testing::AssertionResult Within(const std::function<bool()>& done, const std::function<std::string()>& what) {
    if (WaitFor(done, kWindowTimeout)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what();
}

// The open key configuration dialog of a running program.
class KeyScreen : public ButtonView {
public:
    KeyScreen(HWND dialog, const std::string& exe, const std::string& folder)
        : ButtonView(dialog, exe, folder, {kKeysScreen, kSwappedScreen}) {}

    HWND Field(int slot) const { return GetDlgItem(window(), kKeyFields[slot].controlId); }
    std::string FieldText(int slot) const { return DialogItemText(window(), kKeyFields[slot].controlId); }
    Names Fields() const {
        Names texts;
        for (int slot = 0; slot < kSlots; ++slot) texts.push_back(FieldText(slot));
        return texts;
    }
    ::testing::AssertionResult ShowsFields(const Names& expected) const {
        return Within([&] { return Fields() == expected; },
                      [&] {
                          std::string text = "the key fields show";
                          for (const std::string& s : Fields()) text += " \"" + s + "\"";
                          return text;
                      });
    }

    // The slot whose field has the keyboard focus, kNoFocus or kOtherFocus.
    int FocusedSlot() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window(), nullptr), &info)) return kOtherFocus;
        if (!info.hwndFocus) return kNoFocus;
        for (int slot = 0; slot < kSlots; ++slot) {
            if (Field(slot) == info.hwndFocus) return slot;
        }
        return kOtherFocus;
    }
    ::testing::AssertionResult FocusIn(int slot) const {
        return Within(
            [&] { return FocusedSlot() == slot; },
            [&] { return "the focus is in slot " + std::to_string(FocusedSlot()) + ", not " + std::to_string(slot); });
    }

    // Presses keys in the focused field; waits until field `slot` shows `name`.
    ::testing::AssertionResult Type(const std::vector<Key>& keys, int slot, const std::string& name) const {
        if (!Activate(window())) return ::testing::AssertionFailure() << "the dialog is not in front";
        if (!PressKeys(keys)) return ::testing::AssertionFailure() << "SendInput refused the keys";
        return Within([&] { return FieldText(slot) == name; },
                      [&] {
                          return "slot " + std::to_string(slot) + " shows \"" + FieldText(slot) + "\", not \"" + name +
                                 "\"";
                      });
    }
    // Keys that the fields refuse: the focus moves on by one field per key.
    ::testing::AssertionResult TypeRefused(const Key& key, int slot) const {
        const std::string before = FieldText(slot);
        if (!Activate(window()) || !PressKeys({key})) return ::testing::AssertionFailure() << "no key sent";
        ::testing::AssertionResult moved = FocusIn((slot + 1) % kSlots);
        if (!moved) return moved;
        if (FieldText(slot) != before) return ::testing::AssertionFailure() << "slot " << slot << " changed";
        return ::testing::AssertionSuccess();
    }

    // A left click on a key field gives it the focus, as the player does before typing.
    ::testing::AssertionResult FocusByClick(int slot) const {
        Press(Field(slot), 4, 4);
        return FocusIn(slot);
    }
    // The same with the real mouse, so that keys given before it have been taken once it has.
    ::testing::AssertionResult FocusByMouse(int slot) const {
        const RECT field = WindowRectOf(Field(slot));
        if (!LeftClickAt(POINT{field.left + 5, field.top + 5})) return ::testing::AssertionFailure() << "no click sent";
        return FocusIn(slot);
    }

    // The mouse button goes down on a button and stays there.
    void PressDown(const ButtonSpec& button) const {
        const POINT p = Centre(button);
        SendNotifyMessageA(window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    }
    void Release(const ButtonSpec& button) const {
        const POINT p = Centre(button);
        SendNotifyMessageA(window(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }

    // JOYSTICK 1 in the left place and JOYSTICK 2 in the right one, or swapped; normal pictures.
    ::testing::AssertionResult ShowsJoysticks(bool swapped) const {
        ::testing::AssertionResult left = Shows(swapped ? kJoystick2Left : kJoystick1, Look::kNormal);
        return left ? Shows(swapped ? kJoystick1Right : kJoystick2, Look::kNormal) : left;
    }
};

class KeyDialogTest : public GameTest {
protected:
    // Starts the program, enters the options menu and opens SETUP INPUT DEVICE.
    void StartAndOpen() {
        ASSERT_TRUE(StartToMenu());
        menu_.reset(new MenuView(app().Menu(), folder().PathOf(kProgramFile), folder().path()));
        ASSERT_TRUE(menu_->ok()) << menu_->error();
        menu_->ClickAt(kOption);
        ASSERT_NO_FATAL_FAILURE(Open());
    }

    // SETUP INPUT DEVICE, once the options menu shows whole.
    void Open() {
        ASSERT_TRUE(menu_->ShowsWhole(kOptionsScreen));
        menu_->ClickAt(kSetupInput);
        ASSERT_NO_FATAL_FAILURE(Opened());
    }
    void Opened() {
        screen_.reset();
        HWND dialog = WaitForDialogWith(app().pid(), kKeyFields[0].controlId);
        ASSERT_TRUE(dialog) << "the key configuration dialog did not open";
        screen_.reset(new KeyScreen(dialog, folder().PathOf(kProgramFile), folder().path()));
        ASSERT_TRUE(keys().ok()) << keys().error();
        ASSERT_TRUE(keys().Shows(kDone, Look::kNormal)) << "the dialog is not drawn";
    }

    KeyScreen& keys() { return *screen_; }

    // DONE or CANCEL: the dialog goes. DONE acts when the mouse button goes down.
    void Leave(const ButtonSpec& button) {
        HWND dialog = keys().window();
        keys().PressDown(button);
        ASSERT_TRUE(WaitUntilGone(dialog)) << "the dialog is still open";
        screen_.reset();
    }

    // SETUP INPUT DEVICE brings up the configuration-file error dialog for the key file.
    void OpenExpectingTheErrorDialog() {
        menu_.reset(new MenuView(app().Menu(), folder().PathOf(kProgramFile), folder().path()));
        menu_->ClickAt(kOption);
        ASSERT_TRUE(menu_->ShowsWhole(kOptionsScreen));
        menu_->ClickAt(kSetupInput);
    }

    void ExpectErrorDialogEndsTheProgram() {
        HWND error = WaitForDialogWith(app().pid(), IDC_CONFIG_ERROR_TEXT);
        ASSERT_TRUE(error) << "no configuration-file error dialog";
        EXPECT_EQ(folder().PathOf(kKeyBindingsFile), DialogItemText(error, IDC_CONFIG_ERROR_TEXT));
        ASSERT_TRUE(ClickDialogButton(error, IDC_CONFIG_ERROR_OK));
        ExitResult exit = app().WaitForExit();
        ASSERT_TRUE(exit.ended) << "the program is still running after OK";
        EXPECT_EQ(1u, exit.code);
    }

    std::unique_ptr<MenuView> menu_;

private:
    std::unique_ptr<KeyScreen> screen_;
};

// ---------------------------------------------------------------------------------------------

// Opening on the installed file (first line 0): default names, focus in player 1's Up field with
// every field's text selected, the screen over the menu window with the fields where the
// background labels them. Then keys as the player presses them, one field after the other.
TEST_F(KeyDialogTest, FieldsTakeKeysOnReleaseAndDoneWritesThem) {
    app().TraceWine(kSoundTraceChannels);
    ASSERT_NO_FATAL_FAILURE(StartAndOpen());
    HWND dialog = keys().window();
    EXPECT_TRUE(keys().ShowsFields(DefaultNames()));
    EXPECT_TRUE(keys().FocusIn(0));
    for (int slot = 0; slot < kSlots; ++slot) {
        DWORD start = 1, end = 0;
        SendMessageA(keys().Field(slot), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(0u, start) << "slot " << slot;
        EXPECT_EQ(keys().FieldText(slot).size(), end) << "slot " << slot << ": the whole text is selected";
    }
    const RECT screen = WindowRectOf(dialog);
    EXPECT_TRUE(SameRect(screen, WindowRectOf(app().Menu()))) << "the dialog covers the menu window";
    for (int slot = 0; slot < kSlots; ++slot) {
        const zorv::ButtonRect place = kKeyFields[slot].Pixels();
        RECT field = WindowRectOf(keys().Field(slot));
        const POINT origin = ClientToScreenOf(dialog, {0, 0});
        OffsetRect(&field, -origin.x, -origin.y);
        EXPECT_TRUE(SameRect(field, RECT{place.left, place.top, place.right, place.bottom})) << "slot " << slot;
    }
    EXPECT_TRUE(keys().ShowsJoysticks(false));
    SaveArtifact(screen, "keys-opened");

    // The hover sound once per entry into a button, none for moves within it or outside: on top
    // of the entries into OPTION and SETUP INPUT DEVICE and their clicks.
    ASSERT_TRUE(SoundsPlayed(app(), 2, 2));
    const POINT reset = Centre(kReset);
    keys().MoveTo(kReset);
    ASSERT_TRUE(keys().Shows(kReset, Look::kHighlighted));
    keys().MoveTo(POINT{reset.x - 40, reset.y - 8});
    keys().MoveTo(POINT{reset.x + 40, reset.y + 8});
    keys().MoveTo(kCancel);
    ASSERT_TRUE(keys().Shows(kCancel, Look::kHighlighted));
    EXPECT_TRUE(keys().Shows(kReset, Look::kNormal));
    keys().MoveTo(POINT{10, 10});
    keys().MoveTo(kCancel);
    EXPECT_TRUE(SoundsPlayed(app(), 5, 2));
    keys().MoveTo(POINT{10, 10});
    ASSERT_TRUE(keys().Shows(kCancel, Look::kNormal));

    // A in slot 0; Enter in slot 1 does not close the dialog.
    ASSERT_TRUE(keys().Type({kA}, 0, "A"));
    EXPECT_TRUE(keys().FocusIn(1));
    ASSERT_TRUE(keys().Type({kEnter}, 1, "Enter"));
    EXPECT_TRUE(keys().FocusIn(2));
    EXPECT_TRUE(IsShown(dialog));
    // Caps Lock (twice, to leave it off) and backslash are refused; the focus moves on.
    EXPECT_TRUE(keys().TypeRefused(kCapsLock, 2));
    EXPECT_TRUE(keys().TypeRefused(kCapsLock, 3));
    EXPECT_TRUE(keys().TypeRefused(kBackslash, 4));
    // A right click on a field opens no menu: the key after it still reaches the field.
    const RECT fire2 = WindowRectOf(keys().Field(5));
    ASSERT_TRUE(RightClickAt(POINT{fire2.left + 5, fire2.top + 5}));
    ASSERT_TRUE(keys().Type({kPageDown}, 5, "PageDown"));
    EXPECT_TRUE(TopLevelWindows(app().pid(), "#32768").empty()) << "a menu opened";
    // Shift held over A: A in slot 6, then Shift in slot 7.
    ASSERT_TRUE(keys().Type({kShift, kA}, 7, "Shift"));
    EXPECT_EQ("A", keys().FieldText(6));
    // Keypad 8 with Num Lock off binds the Up arrow.
    ASSERT_TRUE(keys().Type({kKeypad8NumLockOff}, 8, "Up"));
    EXPECT_TRUE(keys().FocusIn(9));
    // Escape is bound and leaves no focus.
    ASSERT_TRUE(keys().Type({kEscape}, 9, "Escape"));
    EXPECT_TRUE(keys().FocusIn(kNoFocus));
    // F10 leads from no focus to DONE; the click into a field below takes it from there.
    ASSERT_TRUE(PressKeys({kF10}));
    EXPECT_TRUE(keys().Shows(kDone, Look::kHighlighted));
    EXPECT_TRUE(IsShown(dialog));
    // With no field focused, Enter, Escape and Alt+F4 go to the dialog itself, posted to it and
    // from the keyboard; none closes it or binds anything. The click after them is real input
    // too, so they have been taken once it has.
    PostKey(dialog, VK_RETURN);
    PostKey(dialog, VK_ESCAPE);
    PostAltF4(dialog);
    ASSERT_TRUE(Activate(dialog));
    ASSERT_TRUE(SendKeys({VK_RETURN}) && SendKeys({VK_ESCAPE}) && SendKeys({VK_MENU, VK_F4}));
    ASSERT_TRUE(keys().FocusByMouse(10));
    EXPECT_TRUE(keys().Shows(kDone, Look::kNormal));
    EXPECT_TRUE(IsShown(dialog)) << "a key closed the key configuration screen";
    EXPECT_EQ(dialog, GetForegroundWindow());
    // Releases that come as system keys never reach a field: Alt alone, A with Alt held (and F10,
    // above). Alt let go after A comes as a plain release of a key without a name: refused, and
    // the focus moves on. From slot 11 it goes round to slot 0.
    ASSERT_TRUE(PressKeys({kAlt}) && PressKeys({kAlt, kA}));
    ASSERT_TRUE(keys().Type({kSpace}, 11, "Space"));
    EXPECT_EQ("Shift", keys().FieldText(10));
    EXPECT_TRUE(keys().FocusIn(0));
    const Names captured = {"A", "Enter", "Right", "Down",   "[",     "PageDown",
                            "A", "Shift", "Up",    "Escape", "Shift", "Space"};
    EXPECT_TRUE(keys().ShowsFields(captured));
    SaveArtifact(screen, "keys-captured");

    // DONE acts on the button-down.
    ASSERT_NO_FATAL_FAILURE(Leave(kDone));
    EXPECT_EQ(KeyFile(1, {30, 28, 333, 336, 26, 337, 30, 42, 328, 1, 42, 57}, 0), folder().Read(kKeyBindingsFile));

    // The next opening shows what the file holds.
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(keys().ShowsFields(captured));

    // With keys only: F10 takes the focus from a field to DONE, Tab and Shift+Tab go through the
    // buttons as they stand and back into the fields, entered once Tab is up (its release would
    // move the focus on), Space presses the focused button; a JOYSTICK place shows its swap, both
    // buttons normal, on the release.
    const HWND reopened = keys().window();
    // The keys pressed one after the other, then `button` is the one lit.
    auto lit = [&](const std::vector<std::vector<Key>>& presses, const ButtonSpec& button) {
        for (const auto& press : presses) EXPECT_TRUE(PressKeys(press));
        const Look done = &button == &kDone ? Look::kHighlighted : Look::kNormal;
        return Within([&] { return keys().Shows(button, Look::kHighlighted, 0) && keys().Shows(kDone, done, 0); },
                      [&] { return NameOf(button) + " is not the one lit"; });
    };
    ASSERT_TRUE(Activate(reopened));
    EXPECT_TRUE(lit({{kF10}}, kDone));
    EXPECT_EQ(captured, keys().Fields()) << "F10 bound something";
    EXPECT_TRUE(lit({{kTab}}, kReset));
    ASSERT_TRUE(PressKeys({kSpace}));
    EXPECT_TRUE(keys().ShowsFields(DefaultNames()));
    ASSERT_TRUE(PressKeys({kTab}) && PressKeys({kTab}));
    EXPECT_TRUE(keys().FocusIn(0));
    ASSERT_TRUE(keys().Type({kA}, 0, "A"));
    EXPECT_TRUE(lit({{kF10}, {kShift, kTab}}, kJoystick2));
    ASSERT_TRUE(PressKeys({kSpace}));
    EXPECT_TRUE(keys().ShowsJoysticks(true));
    ASSERT_TRUE(PressKeys({kF10}) && PressKeys({kSpace}));
    ASSERT_TRUE(WaitUntilGone(reopened)) << "Space on DONE left the screen open";
    std::vector<int> written = kDefaultCodes;
    written[0] = 30;
    EXPECT_EQ(KeyFile(1, written, 1), folder().Read(kKeyBindingsFile));

    // Opened from the options menu by Enter, then by Space (the first press shows the focus on
    // SETUP INPUT DEVICE, the second opens it), the screen takes neither key's release: the next
    // key pressed is the one player 1's Up field binds.
    for (const Key& opener : {kEnter, kSpace}) {
        ASSERT_TRUE(menu_->ShowsWhole(kOptionsScreen));
        ASSERT_TRUE(Activate(app().Menu()) && PressKeys({opener}) && PressKeys({opener}));
        ASSERT_NO_FATAL_FAILURE(Opened());
        EXPECT_TRUE(keys().Type({kW}, 0, "W")) << "after opening by " << opener.vk;
        ASSERT_NO_FATAL_FAILURE(Leave(kCancel));
    }
}

// RESET shows the defaults and brings JOYSTICK 1 back to the left; a key captured after it is
// saved with it; a JOYSTICK click swaps the pair on release; each save is what the next
// opening shows.
TEST_F(KeyDialogTest, ResetAndJoysticksAreSavedAsShown) {
    const std::vector<int> own = {17, 1000, -1, 43, 0, 284, 30, 30, 30, 30, 30, 30};
    ASSERT_TRUE(folder().Write(kKeyBindingsFile, KeyFile(1, own, 1)));
    ASSERT_NO_FATAL_FAILURE(StartAndOpen());
    // Codes outside the table, or without a name, show nothing; 284 is the keypad's Enter.
    EXPECT_TRUE(keys().ShowsFields({"W", "", "", "", "", "Enter", "A", "A", "A", "A", "A", "A"}));
    EXPECT_TRUE(keys().ShowsJoysticks(true));

    keys().ClickAt(kReset);
    EXPECT_TRUE(keys().ShowsFields(DefaultNames()));
    EXPECT_TRUE(keys().ShowsJoysticks(false));
    ASSERT_TRUE(keys().Type({kW}, 0, "W"));
    // The right-hand Ctrl and Shift bind as the left ones do.
    ASSERT_TRUE(keys().Type({kRightCtrl}, 1, "Ctrl"));
    ASSERT_TRUE(keys().Type({kRightShift}, 2, "Shift"));
    ASSERT_NO_FATAL_FAILURE(Leave(kDone));
    std::vector<int> written = kDefaultCodes;
    written[0] = 17;
    written[1] = 29;
    written[2] = 42;
    EXPECT_EQ(KeyFile(1, written, 0), folder().Read(kKeyBindingsFile));

    ASSERT_NO_FATAL_FAILURE(Open());
    Names shown = DefaultNames();
    shown[0] = "W";
    shown[1] = "Ctrl";
    shown[2] = "Shift";
    EXPECT_TRUE(keys().ShowsFields(shown));
    EXPECT_TRUE(keys().ShowsJoysticks(false));

    // The press shows the pressed picture where it was made; the release shows the swap.
    keys().ClickAt(kReset);
    ASSERT_TRUE(keys().ShowsFields(DefaultNames()));
    keys().PressDown(kJoystick1);
    EXPECT_TRUE(keys().Shows(kJoystick1, Look::kPressed));
    EXPECT_TRUE(keys().Shows(kJoystick2, Look::kNormal));
    keys().Release(kJoystick1);
    EXPECT_TRUE(keys().ShowsJoysticks(true));
    keys().ClickAt(kJoystick2);
    EXPECT_TRUE(keys().ShowsJoysticks(false));
    keys().ClickAt(kJoystick1);
    EXPECT_TRUE(keys().ShowsJoysticks(true));
    ASSERT_NO_FATAL_FAILURE(Leave(kDone));
    EXPECT_EQ(KeyFile(0, kDefaultCodes, 1), folder().Read(kKeyBindingsFile));

    // A joystick setting saved after RESET is shown as saved.
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(keys().ShowsFields(DefaultNames()));
    EXPECT_TRUE(keys().ShowsJoysticks(true));

    // RESET then DONE: the file every installation starts from.
    keys().ClickAt(kReset);
    EXPECT_TRUE(keys().ShowsJoysticks(false));
    ASSERT_NO_FATAL_FAILURE(Leave(kDone));
    EXPECT_EQ(
        "0\r\n#1p-Up 328\r\n#1p-Left 331\r\n#1p-Right 333\r\n#1p-Down 336\r\n#1p-Fire01 26\r\n#1p-Fire02 27\r\n"
        "#2p-Up 17\r\n#2p-Left 30\r\n#2p-Right 32\r\n#2p-Down 31\r\n#2p-Fire01 42\r\n#2p-Fire02 29\r\n#JoyStick 0\r\n",
        folder().Read(kKeyBindingsFile));
}

// CANCEL forgets the captures, RESET and swaps of its opening: the file stays byte for byte,
// and the next opening shows and saves what the file holds, odd codes included. The file has no
// line for player 2's Fire02, so that slot shows what the record held before: nothing.
TEST_F(KeyDialogTest, CancelLeavesTheFileAndTheNextOpeningAsTheyWere) {
    std::vector<int> own = {17, 1000, -1, 43, 0, 284, 30, 31, 32, 33, 34, 35};
    std::string stored = "1\r\n# two players\r\n" + KeyFile(1, own, 0).substr(3);
    stored.erase(stored.find("#2p-Fire02"), std::string("#2p-Fire02 35\r\n").size());
    ASSERT_TRUE(folder().Write(kKeyBindingsFile, stored));
    ASSERT_NO_FATAL_FAILURE(StartAndOpen());
    const Names fromFile = {"W", "", "", "", "", "Enter", "A", "S", "D", "F", "G", ""};
    EXPECT_TRUE(keys().ShowsFields(fromFile));
    ASSERT_TRUE(keys().Type({kA}, 0, "A"));
    ASSERT_TRUE(keys().FocusByClick(11));
    ASSERT_TRUE(keys().Type({kSpace}, 11, "Space"));
    keys().ClickAt(kReset);
    ASSERT_TRUE(keys().ShowsFields(DefaultNames()));
    keys().ClickAt(kJoystick2);
    ASSERT_TRUE(keys().ShowsJoysticks(true));
    ASSERT_NO_FATAL_FAILURE(Leave(kCancel));
    EXPECT_EQ(stored, folder().Read(kKeyBindingsFile));

    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(keys().ShowsFields(fromFile));
    EXPECT_TRUE(keys().ShowsJoysticks(false));
    ASSERT_NO_FATAL_FAILURE(Leave(kDone));
    own[11] = 0;
    EXPECT_EQ(KeyFile(1, own, 0), folder().Read(kKeyBindingsFile));

    // A file whose first line is 0 opens with the default names and is saved with the default
    // codes, whatever codes it held.
    ASSERT_TRUE(folder().Write(kKeyBindingsFile, KeyFile(0, own, 0)));
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(keys().ShowsFields(DefaultNames()));
    ASSERT_NO_FATAL_FAILURE(Leave(kDone));
    EXPECT_EQ(KeyFile(0, kDefaultCodes, 0), folder().Read(kKeyBindingsFile));

    // Escape bound leaves no focus, and the keys work as with one: Tab enters the first field
    // (its release binds nothing); from there, after Escape again, Shift+Tab goes round to
    // CANCEL, which Space presses.
    ASSERT_NO_FATAL_FAILURE(Open());
    const HWND dialog = keys().window();
    ASSERT_TRUE(keys().Type({kEscape}, 0, "Escape") && keys().FocusIn(kNoFocus));
    ASSERT_TRUE(PressKeys({kTab}));
    EXPECT_TRUE(keys().FocusIn(0)) << "Tab showed no focus";
    ASSERT_TRUE(keys().Type({kEscape}, 0, "Escape") && keys().FocusIn(kNoFocus));
    ASSERT_TRUE(PressKeys({kShift, kTab}));
    EXPECT_TRUE(keys().Shows(kCancel, Look::kHighlighted));
    ASSERT_TRUE(PressKeys({kSpace}));
    EXPECT_TRUE(WaitUntilGone(dialog)) << "Space on CANCEL left the screen open";
    EXPECT_EQ(KeyFile(0, kDefaultCodes, 0), folder().Read(kKeyBindingsFile));
}

TEST_F(KeyDialogTest, MissingFileEndsTheProgramThroughTheErrorDialog) {
    ASSERT_TRUE(folder().Delete(kKeyBindingsFile));
    ASSERT_TRUE(StartToMenu());
    ASSERT_NO_FATAL_FAILURE(OpenExpectingTheErrorDialog());
    ASSERT_NO_FATAL_FAILURE(ExpectErrorDialogEndsTheProgram());
}

TEST_F(KeyDialogTest, LockedFileEndsTheProgramThroughTheErrorDialog) {
    ASSERT_TRUE(StartToMenu());
    FileHold hold(folder().PathOf(kKeyBindingsFile));
    ASSERT_TRUE(hold.ok());
    ASSERT_NO_FATAL_FAILURE(OpenExpectingTheErrorDialog());
    ASSERT_NO_FATAL_FAILURE(ExpectErrorDialogEndsTheProgram());
}

// The file is read when the screen opens but cannot be replaced on DONE; it stays as it was.
TEST_F(KeyDialogTest, ReadOnlyFileEndsTheProgramOnDone) {
    const std::string stored = folder().Read(kKeyBindingsFile);
    ASSERT_TRUE(folder().SetReadOnly(kKeyBindingsFile));
    ASSERT_NO_FATAL_FAILURE(StartAndOpen());
    ASSERT_TRUE(keys().Type({kA}, 0, "A"));
    keys().PressDown(kDone);
    ASSERT_NO_FATAL_FAILURE(ExpectErrorDialogEndsTheProgram());
    EXPECT_EQ(stored, folder().Read(kKeyBindingsFile));
}

}  // namespace
}  // namespace zorv_e2e
