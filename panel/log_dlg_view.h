#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What the Log page's logic needs of its window: the rich edit view of the log,
// the path label and the timer. Positions and lengths count the
// view's own characters.
class ILogDlgView {
public:
    virtual ~ILogDlgView() = default;

    // Puts the caret after the last character, replaces the empty selection by
    // text without undo, keeps the caret in view even without focus, and scrolls
    // one page to the left so that line beginnings show.
    virtual void AppendAtEnd(std::wstring_view text) = 0;
    // Replaces the whole text by text in one edit, which the control lays out once
    // and without its scroll bars coming and going, and shows its end as AppendAtEnd.
    virtual void ShowOnly(std::wstring_view text) = 0;
    // Raises the most characters the view accepts (by default a rich edit control
    // takes 32,767 and silently drops the rest).
    virtual void SetTextLimit(std::size_t characters) = 0;
    virtual std::size_t TextLength() = 0;
    // Start of the first line that begins at or after position; TextLength() when
    // no line does.
    virtual std::size_t LineStartAtOrAfter(std::size_t position) = 0;
    // Deletes the first `characters` characters without undo.
    virtual void RemoveLeadingText(std::size_t characters) = 0;
    // Scrolls down by the view's line count less lines, so that only that many lines
    // show below the top; with fewer lines in the view it scrolls up.
    virtual void ShowLastLines(int lines) = 0;

    // The label that shows the log file's path.
    virtual void ShowPath(std::wstring_view path) = 0;
    virtual void StartTimer(unsigned id, unsigned periodMs) = 0;
};
