#pragma once

#include "ConsentPrompter.h"

#include <QTimer>

#include <deque>
#include <vector>

namespace lumetra::testing {

// Answers consent questions from a list, later on the event loop, and records what was asked.
class ScriptedConsentPrompter final : public ConsentPrompter {
public:
    void ask(PermissionKind kind, std::function<void(bool)> answer) override
    {
        asked.push_back(kind);
        const bool granted = answers.empty() ? false : answers.front();
        if (!answers.empty())
            answers.pop_front();
        QTimer::singleShot(0, [answer = std::move(answer), granted] { answer(granted); });
    }

    std::deque<bool> answers;
    std::vector<PermissionKind> asked;
};

} // namespace lumetra::testing
