#pragma once

#include "panel/rule_editor.h"

#include <cstdint>
#include <string_view>

// What the Proxy page's logic needs of its window; the Win32 page implements it
// with its controls, tests with a fake. Rows are addressed by index only: row i
// always shows rule i.
class IProxyPageView {
public:
    virtual ~IProxyPageView() = default;

    static constexpr int kNameColumn = 0;
    static constexpr int kSourceColumn = 1;
    static constexpr int kDestinationColumn = 2;

    // The start/stop button.
    virtual void SetStartStopButton(std::wstring_view text, bool enabled) = 0;
    // The status line, with its text colour (COLORREF); redrawn at once.
    virtual void SetStatus(std::wstring_view text, std::uint32_t colour) = 0;
    // The red note that changes take effect after a restart of the server.
    virtual void ShowNote(bool shown) = 0;

    // The rule list. Changing a check box, also from here, makes the control send
    // an item-changed notification that the glue forwards to OnRuleItemChanged.
    virtual void DeleteAllRows() = 0;
    virtual void InsertRow(int row, std::wstring_view name) = 0;
    virtual void SetRowText(int row, int column, std::wstring_view text) = 0;
    virtual void SetRowChecked(int row, bool checked) = 0;
    virtual bool IsRowChecked(int row) = 0;
    // False when the control kept the row.
    virtual bool DeleteRow(int row) = 0;
    // The first selected row after `after` (-1: from the top), or -1 when none.
    virtual int NextSelectedRow(int after) = 0;

    // Runs the rule editor modally on fields; false when the user cancelled.
    virtual bool EditRuleModal(CRuleEditorFields& fields) = 0;
    // Starts (or restarts) a window timer; 0, or the platform's error code.
    virtual std::uint32_t StartTimer(unsigned id, unsigned periodMs) = 0;
    // Ends the whole program at once with the exit status; does not return in the
    // program.
    virtual void EndProgram(std::uint32_t exitCode) = 0;
};
