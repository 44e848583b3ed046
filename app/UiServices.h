#pragma once

// The modal dialogs and the wait cursor behind one interface, so that every
// window brings its own and tests answer them without blocking. Texts are
// UTF-8.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rivetbay {

struct FileFilter {
    std::string label;    // "Rivetbay Car (*.rbc)"
    std::string patterns; // "*.rbc", several separated by ";"
};

// A folder offered beside the platform's own places, under a name of its own.
struct FilePlace {
    std::string label;
    std::filesystem::path folder;
};

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    std::string title{};
    std::vector<FileFilter> filters{};
    std::string defaultSuffix{}; // without the dot
    std::filesystem::path directory{};
    std::string fileName{};  // the name the dialog proposes; empty: none
    bool showHidden = false; // hidden folders listed too (Wine prefixes are)
    std::vector<FilePlace> places{};
};

enum class MessageIcon { Information, Stop };

// The answers to the question before unsaved work is closed.
enum class CloseAnswer { Save, Discard, Cancel };

class UiServices {
public:
    virtual ~UiServices() = default;
    // Nothing when the player cancels.
    virtual std::optional<std::filesystem::path> chooseFile(const FileDialogRequest& request) = 0;
    virtual void showMessage(MessageIcon icon, const std::string& caption,
                             const std::string& text) = 0;
    // A question with Save, Discard and Cancel; Escape answers Cancel.
    virtual CloseAnswer askToSave(const std::string& caption, const std::string& text) = 0;
    virtual void pushWaitCursor() = 0;
    virtual void popWaitCursor() = 0;
};

// Answers every dialog with "cancel" and shows nothing: for the programs that
// drive the editor without a person (the screenshot maker, the benchmark).
class SilentServices final : public UiServices {
public:
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest&) override
    {
        return {};
    }
    void showMessage(MessageIcon, const std::string&, const std::string&) override {}
    CloseAnswer askToSave(const std::string&, const std::string&) override
    {
        return CloseAnswer::Discard;
    }
    void pushWaitCursor() override {}
    void popWaitCursor() override {}
};

// Shows the wait cursor for its lifetime, and always restores it.
class WaitCursor {
public:
    explicit WaitCursor(UiServices& services) : services_(services) { services_.pushWaitCursor(); }
    ~WaitCursor() { services_.popWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UiServices& services_;
};

} // namespace rivetbay
