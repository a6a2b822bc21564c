#pragma once

#include "panel/message_box.h"

#include <deque>
#include <functional>
#include <vector>

// Records the messages shown and gives scripted answers (OK when none is left).
class FakeMessageOwner : public IMessageBoxOwner {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        messages.push_back(request);
        if (onMessage) {
            onMessage(request);
        }
        if (answers.empty()) {
            return MessageAnswer::Ok;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> answers;
    // Runs while a message shows: what happens behind the modal box.
    std::function<void(const MessageRequest&)> onMessage;
};
