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

// Log files in memory. A file is `tail` preceded by filler lines up to `size`
// bytes, so that files of gigabytes cost nothing.
class FakeLogFiles : public ILogFileSystem {
public:
    struct File {
        std::uint64_t size = 0;
        std::string tail;

        char At(std::uint64_t position) const {
            const std::uint64_t tailStart = size - tail.size();
            if (position >= tailStart) {
                return tail[static_cast<std::size_t>(position - tailStart)];
            }
            return position % 100 == 99 ? '\n' : 'x';
        }
    };

    void Write(const std::string& path, std::string content) {
        files[path] = File{content.size(), std::move(content)};
    }
    void Append(const std::string& path, const std::string& more) {
        File& file = files.at(path);
        file.size += more.size();
        file.tail += more;
    }

    std::unique_ptr<ILogSizeHandle> OpenForSizeQueries(const std::string& path) override {
        ++sizeOpens;
        if (failSizeOpen) {
            return nullptr;
        }
        files.try_emplace(path);
        return std::make_unique<SizeHandle>(*this, path);
    }
    std::unique_ptr<ILogReader> OpenForReading(const std::string& path) override {
        ++readOpens;
        if (whileOpening) {
            whileOpening();
        }
        if (failReadOpen || files.count(path) == 0) {
            return nullptr;
        }
        return std::make_unique<Reader>(*this, path);
    }

    std::map<std::string, File> files;
    // Runs as a reader is opened: the service writing between the size query and the read.
    std::function<void()> whileOpening;
    bool failSizeOpen = false;
    bool failReadOpen = false;
    int sizeOpens = 0;
    int readOpens = 0;
    std::vector<std::uint64_t> seeks;
    std::size_t largestRead = 0;

private:
    class SizeHandle : public ILogSizeHandle {
    public:
        SizeHandle(FakeLogFiles& owner, std::string path)
            : m_owner(owner), m_path(std::move(path)) {}
        std::optional<std::uint64_t> Size() override {
            const auto found = m_owner.files.find(m_path);
            return found == m_owner.files.end() ? std::nullopt
                                                : std::optional<std::uint64_t>(found->second.size);
        }

    private:
        FakeLogFiles& m_owner;
        std::string m_path;
    };

    class Reader : public ILogReader {
    public:
        Reader(FakeLogFiles& owner, std::string path) : m_owner(owner), m_path(std::move(path)) {}
        bool Seek(std::uint64_t offset) override {
            m_owner.seeks.push_back(offset);
            m_position = offset;
            return true;
        }
        std::size_t Read(char* buffer, std::size_t size) override {
            m_owner.largestRead = std::max(m_owner.largestRead, size);
            const File& file = m_owner.files.at(m_path);
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
        std::string m_path;
        std::uint64_t m_position = 0;
    };
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
