#include "app/WindowForms.h"

namespace rivetbay {

namespace {

using K = WindowControlKind;

constexpr WindowControl aboutControls[] = {
    {AboutForm::okId, K::DefaultButton, "okButton", {324, 2, 36, 28}, "OK..."},
    {-1, K::Text, "aboutText", {212, 2, 108, 28}},
    {AboutForm::browserId, K::Browser, "browser", {4, 32, 358, 252}},
    {AboutForm::arrowsId, K::HistoryArrows, "historyArrows", {4, 2, 60, 28}},
    {AboutForm::reloadId, K::Button, "reloadButton", {80, 2, 32, 28}, "Reload"},
    {AboutForm::stopId, K::Button, "stopButton", {128, 2, 32, 28}, "Stop"},
};

constexpr WindowControl hackbusterControls[] = {
    {HackbusterForm::okId, K::DefaultButton, "okButton", {158, 108, 44, 16}, "OK"},
    {HackbusterForm::listId, K::List, "list", {4, 4, 198, 100}},
};

constexpr WindowForm about{"  About Vexillo's Rivetbay", "Lucida Console", 9, 366, 288, false, aboutControls};
constexpr WindowForm hackbuster{"  Rivetbay  :  Hackbuster", "Lucida Console", 14, 205, 129, true,
                                hackbusterControls};

} // namespace

const WindowForm& AboutForm::form() { return about; }
const WindowForm& HackbusterForm::form() { return hackbuster; }

std::string AboutForm::text(std::string_view build)
{
    return "Vexillo's Rivetbay " RIVETBAY_VERSION "\n      " + std::string(build) + "\n       for I'76 Nitro";
}

} // namespace rivetbay
