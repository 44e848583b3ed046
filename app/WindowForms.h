#pragma once

// The About and Hackbuster windows' forms: caption, font, size, and every
// control with its id, place and text. Each toolkit renders them as they
// stand here.

#include "app/DialogRect.h"

#include <span>
#include <string>
#include <string_view>

namespace rivetbay {

enum class WindowControlKind {
    DefaultButton, // Enter presses it; it ends the window
    Button,
    Text,          // left-aligned, several lines
    Browser,       // the HTML view
    HistoryArrows, // a horizontal pair: back on the left, forward on the right
    List,          // a report list without columns
};

struct WindowControl {
    int id; // -1 for the text, which nothing addresses
    WindowControlKind kind;
    const char* name; // the object name windows and tests find it by
    DialogRect at;
    const char* text = "";
};

struct Colour {
    int red, green, blue;
};

struct WindowForm {
    const char* title;
    const char* fontName;
    int fontPoints;
    int width, height;
    bool resizable; // its controls keep their places
    std::span<const WindowControl> controls;
};

namespace AboutForm {

inline constexpr int okId = 1; // the platform's own id of OK
inline constexpr int browserId = 1129;
inline constexpr int arrowsId = 1134;
inline constexpr int reloadId = 1135;
inline constexpr int stopId = 1136;
// The page it opens, from the folder the pages are in.
inline constexpr const char* page = "Rivetbay.html";

const WindowForm& form();
// The three lines beside "OK...", with the version of this build and which
// build it is ("Native Windows build", say).
std::string text(std::string_view build);

} // namespace AboutForm

namespace HackbusterForm {

inline constexpr int okId = 1;
inline constexpr int listId = 1137;
inline constexpr Colour background{64, 48, 32};

const WindowForm& form();

} // namespace HackbusterForm

} // namespace rivetbay
