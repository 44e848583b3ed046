#pragma once

#include "app/UiServices.h"

#include <deque>
#include <optional>
#include <vector>

namespace rivetbay::testkit {

// Records every dialog the editor asks for and answers from a queue.
class FakeServices final : public UiServices {
public:
    struct Message {
        MessageIcon icon;
        std::string caption, text;
    };

    std::deque<std::optional<std::filesystem::path>> answers; // empty queue: cancel
    std::vector<FileDialogRequest> requests;
    std::vector<Message> messages;
    std::deque<CloseAnswer> closeAnswers; // empty queue: Cancel
    std::vector<std::string> questions;
    int waitDepth = 0;
    int waitCount = 0;

    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        std::optional<std::filesystem::path> answer;
        if (!answers.empty()) {
            answer = std::move(answers.front());
            answers.pop_front();
        }
        return answer;
    }
    void showMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override
    {
        messages.push_back({icon, caption, text});
    }
    CloseAnswer askToSave(const std::string&, const std::string& text) override
    {
        questions.push_back(text);
        if (closeAnswers.empty()) return CloseAnswer::Cancel;
        const CloseAnswer answer = closeAnswers.front();
        closeAnswers.pop_front();
        return answer;
    }
    void pushWaitCursor() override
    {
        ++waitDepth;
        ++waitCount;
    }
    void popWaitCursor() override { --waitDepth; }
};

} // namespace rivetbay::testkit
