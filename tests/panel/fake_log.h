#pragma once

#include "fake_message_owner.h"
#include "panel/log_file.h"
#include "panel/log_dlg_view.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Log files in memory, under names that may be renamed, removed and given to new
// files. A file is `tail` preceded by lines of `filler` up to `size` bytes, so that
// files of gigabytes cost nothing. Its write counter stands for its last write time.
class FakeLogFiles : public ILogFile {
public:
    struct File {
        std::uint64_t size = 0;
        std::string tail;
        std::uint64_t index = 0;
        std::uint64_t writes = 0;

        LogFileStamp Stamp() const { return {size, writes}; }
    };

    // Truncates the file at path and writes content, or creates it.
    void Write(const std::string& path, std::string content) {
        const auto found = files.find(path);
        if (found == files.end()) {
            Replace(path, std::move(content));
            return;
        }
        File& file = *found->second;
        file.size = content.size();
        file.tail = std::move(content);
        ++file.writes;
    }
    void Append(const std::string& path, const std::string& more) {
        File& file = *files.at(path);
        file.size += more.size();
        file.tail += more;
        ++file.writes;
    }
    // A new file under the name; one still open elsewhere lives on unnamed.
    void Replace(const std::string& path, std::string content) {
        const std::uint64_t size = content.size();
        Place(path, size, std::move(content));
    }
    void Place(const std::string& path, std::uint64_t size, std::string tail) {
        files[path] = std::make_shared<File>(File{size, std::move(tail), ++m_lastIndex, 1});
    }
    void Rename(const std::string& from, const std::string& to) {
        files[to] = files.at(from);
        files.erase(from);
    }

    bool KeepOpen(const std::string& path) override {
        ++sizeOpens;
        m_kept.reset();
        if (failSizeOpen) {
            return false;
        }
        if (files.count(path) == 0) {
            Replace(path, "");
        }
        m_kept = files.at(path);
        return true;
    }
    void CloseKept() override { m_kept.reset(); }
    std::optional<LogFileState> QueryKept() override {
        if (!m_kept) {
            return std::nullopt;
        }
        return LogFileState{m_kept->Stamp(), {1, m_kept->index}};
    }
    std::optional<LogFileStamp> StampAt(const std::string& path) override {
        ++nameQueries;
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt
                                    : std::optional<LogFileStamp>(found->second->Stamp());
    }
    bool OpenForReading(const std::string& path) override {
        ++readOpens;
        if (whileOpening) {
            whileOpening();
        }
        if (failReadOpen || files.count(path) == 0) {
            return false;
        }
        m_reading = files.at(path);
        return true;
    }
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) override {
        if (!firstReadOffset) {
            firstReadOffset = offset;
        }
        lastReadOffset = offset;
        largestRead = std::max(largestRead, size);
        if (mostPerRead != 0) {
            size = std::min(size, mostPerRead);
        }
        const File& file = *m_reading;
        const std::uint64_t tailStart = file.size - file.tail.size();
        std::size_t count = 0;
        while (count < size && offset < file.size) {
            const std::uint64_t left = size - count;
            std::size_t copied = 0;
            if (offset >= tailStart) {
                copied = file.tail.copy(buffer + count, static_cast<std::size_t>(left),
                                        static_cast<std::size_t>(offset - tailStart));
            } else {
                const auto from = static_cast<std::size_t>(offset % filler.size());
                copied =
                    filler.copy(buffer + count,
                                static_cast<std::size_t>(std::min(left, tailStart - offset)), from);
            }
            count += copied;
            offset += copied;
        }
        return count;
    }
    void CloseReading() override { m_reading.reset(); }

    std::map<std::string, std::shared_ptr<File>> files;
    // Repeated before a file's tail.
    std::string filler = std::string(99, 'x') + "\n";
    // Runs as a file is opened for reading: the service writing between the size
    // query and the read.
    std::function<void()> whileOpening;
    bool failSizeOpen = false;
    bool failReadOpen = false;
    // Most bytes one read returns, as a pipe or a slow disk may; 0: as many as asked.
    std::size_t mostPerRead = 0;
    int sizeOpens = 0;
    int readOpens = 0;
    int nameQueries = 0;
    std::optional<std::uint64_t> firstReadOffset;
    std::uint64_t lastReadOffset = 0;
    std::size_t largestRead = 0;

private:
    std::shared_ptr<File> m_kept;
    std::shared_ptr<File> m_reading;
    std::uint64_t m_lastIndex = 0;
};

// The rich edit view as a plain string, with a record of the page's other calls and
// of the messages it owns.
class FakeLogView : public ILogDlgView, public FakeMessageOwner {
public:
    void AppendAtEnd(std::wstring_view more) override {
        ++appends;
        text += more;
        largest = std::max(largest, text.size());
    }
    void ShowOnly(std::wstring_view replacement) override {
        text.clear();
        AppendAtEnd(replacement);
    }
    void SetTextLimit(std::size_t characters) override { limit = characters; }
    std::size_t TextLength() override { return text.size(); }
    std::size_t LineStartAtOrAfter(std::size_t position) override {
        if (position == 0) {
            return 0;
        }
        const std::size_t lineFeed = text.find(L'\n', position - 1);
        return lineFeed == std::wstring::npos ? text.size() : lineFeed + 1;
    }
    void RemoveLeadingText(std::size_t characters) override { text.erase(0, characters); }
    // Records how far the view scrolled: its line count less lines.
    void ShowLastLines(int lines) override {
        scrolled.push_back(static_cast<int>(std::count(text.begin(), text.end(), L'\n')) + 1 -
                           lines);
    }
    void ShowPath(std::wstring_view path) override { shownPath = path; }
    void StartTimer(unsigned id, unsigned periodMs) override { timers.emplace_back(id, periodMs); }

    std::wstring text;
    int appends = 0;
    std::size_t largest = 0;
    std::size_t limit = 32767;
    std::vector<int> scrolled;
    std::wstring shownPath;
    std::vector<std::pair<unsigned, unsigned>> timers;
};
