#pragma once

#include "ui/UiServices.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

namespace rivetbay::testkit {

// Records every dialog the window asks for and answers from a queue.
class FakeServices final : public UiServices {
public:
    struct Message {
        MessageIcon icon;
        QString caption, text;
    };

    std::deque<std::optional<QString>> answers; // empty queue: cancel
    std::vector<FileDialogRequest> requests;
    std::vector<Message> messages;
    int waitDepth = 0;
    int waitCount = 0;

    std::optional<QString> chooseFile(QWidget*, const FileDialogRequest& request) override
    {
        requests.push_back(request);
        std::optional<QString> answer;
        if (!answers.empty()) {
            answer = std::move(answers.front());
            answers.pop_front();
        }
        return answer;
    }
    void showMessage(QWidget*, MessageIcon icon, const QString& caption,
                     const QString& text) override
    {
        messages.push_back({icon, caption, text});
    }
    void pushWaitCursor() override
    {
        ++waitDepth;
        ++waitCount;
    }
    void popWaitCursor() override { --waitDepth; }
};

} // namespace rivetbay::testkit
