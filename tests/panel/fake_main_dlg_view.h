#pragma once

#include "fake_message_owner.h"
#include "panel/main_dlg_view.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The Proxy page's window as a record of what the logic last showed. It owns the
// page's messages.
class FakeMainDlgView : public IMainDlgView, public FakeMessageOwner {
public:
    void ShowRules(const std::vector<RuleRow>& shown) override { rows = shown; }
    void ShowServer(const ServerDisplay& display) override {
        buttonText = display.buttonText;
        buttonEnabled = display.buttonEnabled;
        statusText = display.statusText;
        statusColour = display.statusColour;
    }
    void ShowNote(bool shown) override { noteShown = shown; }
    std::uint32_t StartTimer(unsigned id, unsigned periodMs) override {
        timers.emplace_back(id, periodMs);
        if (timerErrors.empty()) {
            return 0;
        }
        const std::uint32_t error = timerErrors.front();
        timerErrors.erase(timerErrors.begin());
        return error;
    }

    std::vector<std::wstring> Column(std::wstring RuleRow::*column) const {
        std::vector<std::wstring> texts;
        for (const RuleRow& row : rows) {
            texts.push_back(row.*column);
        }
        return texts;
    }

    std::vector<RuleRow> rows;
    std::vector<std::pair<unsigned, unsigned>> timers;
    // Errors of the next timer starts, one each; empty: they succeed.
    std::vector<std::uint32_t> timerErrors;
    std::wstring buttonText;
    bool buttonEnabled = false;
    std::wstring statusText;
    std::uint32_t statusColour = 0;
    bool noteShown = false;
};
