#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

// A list of text lines kept compactly: one buffer holding every line's text, plus the offset where
// each line ends. Millions of rows cost their text and 8 bytes a row, and appending never allocates
// per line. Each change bumps `generation()` so views can tell that they must refresh.
class LineList {
public:
    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }

    std::string_view operator[](std::size_t row) const {
        const std::uint64_t begin = row == 0 ? 0 : m_ends[row - 1];
        return std::string_view(m_text).substr(begin, m_ends[row] - begin);
    }

    void clear() {
        m_text.clear();
        m_ends.clear();
        ++m_generation;
    }
    // Releases the memory too (a huge list that is replaced by a small one).
    void clearAndRelease() {
        std::string().swap(m_text);
        std::vector<std::uint64_t>().swap(m_ends);
        ++m_generation;
    }
    void append(std::string_view line) {
        m_text.append(line);
        m_ends.push_back(m_text.size());
        ++m_generation;
    }
    // For writers that build the line in place: append the text to `textBuffer()`, then `endLine()`.
    std::string& textBuffer() { return m_text; }
    void endLine() {
        m_ends.push_back(m_text.size());
        ++m_generation;
    }
    void reserve(std::size_t lines, std::size_t bytes) {
        m_ends.reserve(lines);
        m_text.reserve(bytes);
    }
    // Room for `scale` times the lines and text held now, so that a list whose final size can be
    // estimated is not copied over and over while it grows. Pages that are never written cost no
    // memory; when the room cannot be had, the list grows as it needs.
    void reserveScaled(double scale) noexcept {
        try {
            reserve(static_cast<std::size_t>(static_cast<double>(size()) * scale) + 64,
                    static_cast<std::size_t>(static_cast<double>(textBytes()) * scale) + 4096);
        } catch (...) { // std::bad_alloc, std::length_error
        }
    }
    void swap(LineList& other) noexcept {
        m_text.swap(other.m_text);
        m_ends.swap(other.m_ends);
        ++m_generation;
        ++other.m_generation;
    }

    // Every line's text one after another, and where each line ends in it.
    std::string_view text() const { return m_text; }
    std::span<const std::uint64_t> ends() const { return m_ends; }
    std::size_t endsCapacity() const { return m_ends.capacity(); }

    std::uint64_t generation() const { return m_generation; }
    std::size_t textBytes() const { return m_text.size(); }
    std::vector<std::string> toVector() const {
        std::vector<std::string> out;
        out.reserve(size());
        for (std::size_t i = 0; i < size(); ++i)
            out.emplace_back((*this)[i]);
        return out;
    }

private:
    std::string m_text;
    std::vector<std::uint64_t> m_ends;
    std::uint64_t m_generation = 0;
};

} // namespace tes
