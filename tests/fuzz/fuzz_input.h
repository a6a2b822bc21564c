#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

// A fuzz input read as a stream of operations' bytes, yielding zeros after the end.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool More() const { return m_at < m_size; }
    std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::string Bytes(std::size_t count) {
        count = std::min(count, m_size - m_at);
        std::string bytes(reinterpret_cast<const char*>(m_data + m_at), count);
        m_at += count;
        return bytes;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};
