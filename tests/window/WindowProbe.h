#pragma once

// One editor window, driven and read as a player meets it, whichever toolkit
// draws it: the window scenarios are written once against this, and each
// toolkit's test program implements it. Controls are named as the form names
// them; texts are UTF-8.

#include "app/Editor.h"
#include "app/DialogRect.h"

#include "FakeServices.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace rivetbay::testkit {

// A key with the modifiers held: a letter 'A' to 'Z', or one of the keys
// below; `typed` is what the keyboard's layout types with them, if anything
// (AltGr, which Windows reports as Ctrl+Alt, types letters of its own).
struct Chord {
    int key;
    bool control = false;
    bool shift = false;
    bool alt = false;
    const char* typed = nullptr;
};
inline constexpr int F1 = 0x101, Escape = 0x102, Left = 0x103, Up = 0x104, Right = 0x105, Down = 0x106, Return = 0x107;

// A held key's events in a field: its first press; a repeat the keyboard made
// while the step before it ran, which waited behind it; one made after.
enum class Repeat { First, QueuedBehindTheStep, AfterTheStep };

// A click; the second click of two quick ones, which arrives as a double
// click; a press held until the arrow has repeated.
enum class Press { Click, DoubleClick, Hold };

enum class Window { Editor, About, Hackbuster };

struct WindowProbe {
    virtual ~WindowProbe() = default;
    virtual Editor& editor() = 0;

    virtual bool shown() = 0; // the editor, still open
    virtual std::string text(const char* control) = 0; // a field's, or the name box's edit text
    virtual bool enabled(const char* control) = 0;
    virtual int selection(const char* list) = 0;
    virtual int caret(const char* control) = 0; // in characters
    virtual bool tipShown() = 0;
    // The context menu's lines as shown: "&Undo\tCtrl+Z", "-" for a
    // separator, " (grey)" after one that cannot be chosen; opened as the
    // player opens it, then closed.
    virtual std::vector<std::string> menu() = 0;
    // About windows opened so far; each is closed as soon as it shows.
    virtual int aboutsShown() = 0;

    // A screen reader's words for a control of the editor or of an About or
    // Hackbuster window opened over it, through the platform's accessibility
    // interface: its name, then, where the toolkit makes each arrow of a pair
    // a control of its own, the arrows' (less, more).
    virtual std::vector<std::string> spoken(Window window, const char* control) = 0;
    // The names of every control of the editor a reader lists, its frames
    // among them, its labels and hidden buttons not.
    virtual std::vector<std::string> spokenControls() = 0;

    // A control's text as shown (no control: the window's caption), its
    // alignment ("left", "right" or "centre") and its background {red, green,
    // blue}; an About window is opened for the asking, a Hackbuster window
    // must be open.
    virtual std::string shownText(Window window, const char* control) = 0;
    virtual std::string alignment(const char* control) = 0;
    virtual std::array<int, 3> background(Window window, const char* control) = 0;
    // Where a control stands (no control: the window's inside), and where a
    // place in the window's dialog units falls, as {left, top, width, height}
    // in pixels; a list reaches to the bottom of its dropped-down part.
    virtual std::array<int, 4> place(Window window, const char* control) = 0;
    virtual std::array<int, 4> pixels(Window window, DialogRect units) = 0;
    // The editor's Hackbuster windows still open; the first one's OK pressed.
    virtual int hackbusters() = 0;
    virtual void closeFirstHackbuster() = 0;

    // An About window opened over the editor moved near the work area's top
    // left corner, or over its bottom right one: the window's frame and the
    // work area on the screen, and where the window's inside and the
    // editor's begin. It is the About window read from then on.
    struct Placed {
        std::array<int, 4> frame, work;
        std::array<int, 2> inside, editorInside;
    };
    virtual Placed aboutOpened(bool atEdge) = 0;
    // A message box, or a file dialog, shown through the toolkit's own
    // services over the editor: {its place, the editor's} on the screen,
    // each {left, top, width, height}; closed once read.
    virtual std::array<std::array<int, 4>, 2> dialogOverEditor(bool fileDialog) = 0;

    virtual void choose(const char* list, int index) = 0;
    virtual void click(const char* control) = 0; // a button or the turret box
    // An arrow of a pair, `more` the up or right one; held, it repeats twice
    // before it is let go.
    virtual void arrow(const char* arrows, bool more, Press how) = 0;
    virtual void key(const char* control, Chord chord) = 0;
    virtual void heldKey(const char* field, int key, Repeat which) = 0;
    // Each character as the keyboard types it; a paste puts in all at once.
    virtual void type(const char* control, const std::string& text) = 0;
    virtual void paste(const char* control, const std::string& text) = 0;
    virtual void setText(const char* control, const std::string& text, int caret) = 0;
    virtual void drop(const std::vector<std::filesystem::path>& files) = 0;
};

// The editor window of the toolkit under test, started in `folder`.
std::unique_ptr<WindowProbe> startWindow(FakeServices& services, const std::filesystem::path& folder,
                                         const std::filesystem::path& commandLine);

} // namespace rivetbay::testkit
