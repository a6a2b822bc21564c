#pragma once

#include "fake_message_owner.h"
#include "panel/proxy_page_logic.h"
#include "panel/proxy_page_view.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The Proxy page's window as a list of rows and a record of what was shown. Like
// the real list control it reports new rows and every check-box change to the logic.
// It owns the page's messages.
class FakeProxyView : public IProxyPageView, public FakeMessageOwner {
public:
    struct Row {
        std::array<std::wstring, 3> columns;
        bool checked = false;
        bool selected = false;
    };

    void SetStartStopButton(std::wstring_view text, bool enabled) override {
        buttonText = text;
        buttonEnabled = enabled;
    }
    void SetStatus(std::wstring_view text, std::uint32_t colour) override {
        statusText = text;
        statusColour = colour;
    }
    void ShowNote(bool shown) override { noteShown = shown; }
    void DeleteAllRows() override { rows.clear(); }
    void InsertRow(int row, std::wstring_view name) override {
        Row inserted;
        inserted.columns[0] = name;
        rows.insert(rows.begin() + row, inserted);
        // The control gives a new row its unticked box and says so.
        if (logic != nullptr) {
            logic->OnRuleItemChanged(row, true);
        }
    }
    void SetRowText(int row, int column, std::wstring_view text) override {
        rows.at(Index(row)).columns.at(static_cast<std::size_t>(column)) = text;
    }
    void SetRowChecked(int row, bool checked) override {
        const bool changed = rows.at(Index(row)).checked != checked;
        rows.at(Index(row)).checked = checked;
        if (changed && logic != nullptr) {
            logic->OnRuleItemChanged(row, true);
        }
    }
    bool IsRowChecked(int row) override { return rows.at(Index(row)).checked; }
    bool DeleteRow(int row) override {
        if (deletesLeft == 0) {
            return claimsDeleted;
        }
        --deletesLeft;
        rows.erase(rows.begin() + row);
        return true;
    }
    int NextSelectedRow(int after) override {
        for (auto i = static_cast<std::size_t>(after + 1); i < rows.size(); ++i) {
            if (rows[i].selected) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    bool EditRuleModal(CRuleEditorFields& fields) override {
        editorCalls.push_back(fields);
        return editor ? editor(fields) : false;
    }
    std::uint32_t StartTimer(unsigned id, unsigned periodMs) override {
        timers.emplace_back(id, periodMs);
        if (timerErrors.empty()) {
            return 0;
        }
        const std::uint32_t error = timerErrors.front();
        timerErrors.erase(timerErrors.begin());
        return error;
    }
    void EndProgram(std::uint32_t exitCode) override { endedWith = exitCode; }

    // The user ticks or clears a row's box; the control notifies the page.
    void UserSetChecked(int row, bool checked) { SetRowChecked(row, checked); }
    void Select(std::initializer_list<int> selected) {
        for (Row& row : rows) {
            row.selected = false;
        }
        for (int row : selected) {
            rows.at(Index(row)).selected = true;
        }
    }
    std::vector<std::wstring> Column(std::size_t column) const {
        std::vector<std::wstring> texts;
        for (const Row& row : rows) {
            texts.push_back(row.columns.at(column));
        }
        return texts;
    }

    CProxyPageLogic* logic = nullptr;
    std::function<bool(CRuleEditorFields&)> editor;

    std::vector<Row> rows;
    std::vector<CRuleEditorFields> editorCalls;
    std::vector<std::pair<unsigned, unsigned>> timers;
    // Errors of the next timer starts, one each; empty: they succeed.
    std::vector<std::uint32_t> timerErrors;
    std::optional<std::uint32_t> endedWith;
    std::wstring buttonText;
    bool buttonEnabled = false;
    std::wstring statusText;
    std::uint32_t statusColour = 0;
    bool noteShown = false;
    // Rows the control deletes before it keeps them, answering claimsDeleted.
    int deletesLeft = -1;
    bool claimsDeleted = false;

private:
    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }
};
