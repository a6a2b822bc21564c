#pragma once

#include "panel/log_file_access.h"
#include "panel/log_view.h"

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
// files. A file is `tail` preceded by filler lines up to `size` bytes, so that
// files of gigabytes cost nothing. Its write counter stands for its last write time.
class FakeLogFiles : public ILogFileSystem {
public:
    struct File {
        std::uint64_t size = 0;
        std::string tail;
        std::uint64_t index = 0;
        std::uint64_t writes = 0;

        char At(std::uint64_t position) const {
            const std::uint64_t tailStart = size - tail.size();
            if (position >= tailStart) {
                return tail[static_cast<std::size_t>(position - tailStart)];
            }
            return position % 100 == 99 ? '\n' : 'x';
        }
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

    std::unique_ptr<ILogSizeHandle> OpenForSizeQueries(const std::string& path) override {
        ++sizeOpens;
        if (failSizeOpen) {
            return nullptr;
        }
        if (files.count(path) == 0) {
            Replace(path, "");
        }
        return std::make_unique<SizeHandle>(files.at(path));
    }
    std::optional<LogFileStamp> StampAt(const std::string& path) override {
        ++nameQueries;
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt
                                    : std::optional<LogFileStamp>(found->second->Stamp());
    }
    std::unique_ptr<ILogReader> OpenForReading(const std::string& path) override {
        ++readOpens;
        if (whileOpening) {
            whileOpening();
        }
        if (failReadOpen || files.count(path) == 0) {
            return nullptr;
        }
        return std::make_unique<Reader>(*this, files.at(path));
    }

    std::map<std::string, std::shared_ptr<File>> files;
    // Runs as a reader is opened: the service writing between the size query and the read.
    std::function<void()> whileOpening;
    bool failSizeOpen = false;
    bool failReadOpen = false;
    int sizeOpens = 0;
    int readOpens = 0;
    int nameQueries = 0;
    std::vector<std::uint64_t> seeks;
    std::size_t largestRead = 0;

private:
    class SizeHandle : public ILogSizeHandle {
    public:
        explicit SizeHandle(std::shared_ptr<File> file) : m_file(std::move(file)) {}
        std::optional<LogFileState> Query() override {
            return LogFileState{m_file->Stamp(), {1, m_file->index}};
        }

    private:
        std::shared_ptr<File> m_file;
    };

    class Reader : public ILogReader {
    public:
        Reader(FakeLogFiles& owner, std::shared_ptr<File> file)
            : m_owner(owner), m_file(std::move(file)) {}
        bool Seek(std::uint64_t offset) override {
            m_owner.seeks.push_back(offset);
            m_position = offset;
            return true;
        }
        std::size_t Read(char* buffer, std::size_t size) override {
            m_owner.largestRead = std::max(m_owner.largestRead, size);
            const File& file = *m_file;
            const std::uint64_t tailStart = file.size - file.tail.size();
            std::size_t count = 0;
            if (m_position >= tailStart && m_position < file.size) {
                const auto from = static_cast<std::size_t>(m_position - tailStart);
                count = file.tail.copy(buffer, size, from);
                m_position += count;
            }
            while (count < size && m_position < file.size) {
                buffer[count++] = file.At(m_position++);
            }
            return count;
        }

    private:
        FakeLogFiles& m_owner;
        std::shared_ptr<File> m_file;
        std::uint64_t m_position = 0;
    };

    std::uint64_t m_lastIndex = 0;
};

// The rich edit view as a plain string, with a record of the page's other calls.
class FakeLogView : public ILogView {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        messages.push_back(request);
        return MessageAnswer::Ok;
    }
    void AppendAtEnd(std::wstring_view more) override {
        ++appends;
        text += more;
        largest = std::max(largest, text.size());
    }
    void ShowOnly(std::wstring_view replacement) override {
        text.clear();
        AppendAtEnd(replacement);
    }
    void ReplaceAllText(std::wstring_view replacement) override { text = replacement; }
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
    int LineCount() override {
        return static_cast<int>(std::count(text.begin(), text.end(), L'\n')) + 1;
    }
    void ScrollLines(int lines) override { scrolled.push_back(lines); }
    void ShowPath(std::wstring_view path) override { shownPath = path; }
    void StartTimer(unsigned id, unsigned periodMs) override { timers.emplace_back(id, periodMs); }
    std::optional<std::wstring> AskLogFileName(std::wstring_view filter,
                                               std::wstring_view defaultExtension,
                                               std::wstring_view initialName) override {
        dialogFilter = filter;
        dialogExtension = defaultExtension;
        dialogInitialName = initialName;
        return chosenFile;
    }

    std::wstring text;
    int appends = 0;
    std::size_t largest = 0;
    std::size_t limit = 32767;
    std::vector<int> scrolled;
    std::wstring shownPath;
    std::vector<std::pair<unsigned, unsigned>> timers;
    std::vector<MessageRequest> messages;
    std::optional<std::wstring> chosenFile;
    std::wstring dialogFilter;
    std::wstring dialogExtension;
    std::wstring dialogInitialName;
};
