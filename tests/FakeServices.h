#pragma once

#include "app/UiServices.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace rivetbay::testkit {

// A file dialog as the player meets it: "Save "title" [label|patterns] .suffix in folder".
inline std::string shown(const FileDialogRequest& r)
{
    std::string line = (r.kind == FileDialogRequest::Kind::Save ? "Save \"" : "Open \"") + r.title + "\"";
    for (const FileFilter& f : r.filters) line += " [" + f.label + "|" + f.patterns + "]";
    return line + " ." + r.defaultSuffix + " in " + r.directory.string();
}

// Records every dialog the editor asks for and answers from a queue.
struct FakeServices final : UiServices {
    struct Message {
        MessageIcon icon;
        std::string caption, text;
        bool underWaitCursor; // the wait cursor still up as it showed: it hides the box's arrow
    };

    std::deque<std::optional<std::filesystem::path>> answers; // empty queue: cancel
    std::vector<FileDialogRequest> requests;
    std::vector<Message> messages;
    std::deque<CloseAnswer> closeAnswers; // empty queue: Cancel
    std::vector<std::string> questions;

    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        if (answers.empty()) return {};
        const auto answer = answers.front();
        return answers.pop_front(), answer;
    }
    void showMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override
    {
        messages.push_back({icon, caption, text, waiting > 0});
    }
    CloseAnswer askToSave(const std::string&, const std::string& text) override
    {
        questions.push_back(text);
        if (closeAnswers.empty()) return CloseAnswer::Cancel;
        const CloseAnswer answer = closeAnswers.front();
        return closeAnswers.pop_front(), answer;
    }
    // Every box shown, as the player reads it: "Stop | caption | text".
    std::vector<std::string> said() const
    {
        std::vector<std::string> lines;
        for (const Message& m : messages)
            lines.push_back((m.icon == MessageIcon::Stop ? "Stop | " : "Information | ") + m.caption + " | " + m.text);
        return lines;
    }
    void pushWaitCursor() override { ++waiting; }
    void popWaitCursor() override { --waiting; }
    int waiting = 0;
};

} // namespace rivetbay::testkit
