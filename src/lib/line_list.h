#pragma once

#include "lib/read_padding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tes {

// A list of text lines kept compactly: one buffer holding every line's text, plus the offset where
// each line ends. Millions of rows cost their text and 8 bytes a row, and appending never allocates
// per line. The buffer keeps kReadPadding zero bytes behind the last line, so number readers may look
// past a line's end. Each change bumps `generation()` so views can tell that they must refresh.
class LineList {
public:
    LineList() = default;
    LineList(const LineList&) = delete;
    LineList& operator=(const LineList&) = delete;
    LineList(LineList&& other) noexcept { swap(other); }
    LineList& operator=(LineList&& other) noexcept {
        swap(other);
        return *this;
    }

    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }

    std::string_view operator[](std::size_t row) const {
        const std::uint64_t begin = row == 0 ? 0 : m_ends[row - 1];
        return std::string_view(data() + begin, m_ends[row] - begin);
    }

    void clear() {
        m_bytes = 0;
        if (m_text)
            std::memset(m_text.get(), 0, kReadPadding);
        m_ends.clear();
        ++m_generation;
    }
    // Releases the memory too (a huge list that is replaced by a small one).
    void clearAndRelease() {
        m_text.reset();
        m_data = kNoText;
        m_bytes = 0;
        m_room = 0;
        std::vector<std::uint64_t>().swap(m_ends);
        ++m_generation;
    }
    void append(std::string_view line) {
        appendText(line);
        endLine();
    }

    // For writers that build a line in pieces: append the pieces, then end the line.
    void appendText(std::string_view piece) {
        if (!piece.empty()) // an empty view may hold no pointer at all
            std::memcpy(grow(piece.size()), piece.data(), piece.size());
    }
    // Several pieces at once: the text grows once for all of them.
    void appendText(std::initializer_list<std::string_view> pieces) {
        std::size_t bytes = 0;
        for (const std::string_view piece : pieces)
            bytes += piece.size();
        char* out = grow(bytes);
        for (const std::string_view piece : pieces) {
            if (!piece.empty())
                std::memcpy(out, piece.data(), piece.size());
            out += piece.size();
        }
    }
    void appendChar(char c) { *grow(1) = c; }
    // Drops the text appended since the last line ended.
    void dropUnendedText() {
        m_bytes = m_ends.empty() ? 0 : m_ends.back();
        if (m_text)
            std::memset(m_text.get() + m_bytes, 0, kReadPadding);
    }
    void endLine() {
        m_ends.push_back(m_bytes);
        ++m_generation;
    }

    void reserve(std::size_t lines, std::size_t bytes) {
        m_ends.reserve(lines);
        if (bytes > m_room)
            reallocate(bytes);
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
        std::swap(m_data, other.m_data);
        std::swap(m_bytes, other.m_bytes);
        std::swap(m_room, other.m_room);
        m_ends.swap(other.m_ends);
        ++m_generation;
        ++other.m_generation;
    }

    // Every line's text one after another, and where each line ends in it; kReadPadding readable
    // bytes follow the text.
    std::string_view text() const { return std::string_view(data(), m_bytes); }
    std::span<const std::uint64_t> ends() const { return m_ends; }
    // Where the buffers lie and how much room they have, for callers that prepare the room's pages.
    std::span<const char> textRoom() const { return {data(), m_room}; }
    std::span<const std::uint64_t> endsRoom() const { return {m_ends.data(), m_ends.capacity()}; }

    std::uint64_t generation() const { return m_generation; }
    std::size_t textBytes() const { return m_bytes; }
    std::vector<std::string> toVector() const {
        std::vector<std::string> out;
        out.reserve(size());
        for (std::size_t i = 0; i < size(); ++i)
            out.emplace_back((*this)[i]);
        return out;
    }

private:
    const char* data() const { return m_data; }

    // Makes `bytes` more bytes of text and returns where they start; the padding moves behind them.
    char* grow(std::size_t bytes) {
        if (m_bytes + bytes > m_room)
            reallocate(std::max(m_bytes + bytes, 2 * m_room));
        char* const at = m_text.get() + m_bytes;
        m_bytes += bytes;
        std::memset(m_text.get() + m_bytes, 0, kReadPadding);
        return at;
    }
    // Moves the text into a buffer with room for `room` bytes and the padding. Its bytes are not
    // cleared first: pages that are never written cost no memory.
    void reallocate(std::size_t room) {
        std::unique_ptr<char[]> bigger(new char[room + kReadPadding]);
        if (m_bytes > 0)
            std::memcpy(bigger.get(), m_text.get(), m_bytes);
        std::memset(bigger.get() + m_bytes, 0, kReadPadding);
        m_text = std::move(bigger);
        m_data = m_text.get();
        m_room = room;
    }

    // The text of an empty list without a buffer: nothing but padding.
    static constexpr char kNoText[kReadPadding] = {};

    std::unique_ptr<char[]> m_text; // m_bytes of the lines' text, then kReadPadding zero bytes
    const char* m_data = kNoText;   // the text, or kNoText while there is no buffer
    std::size_t m_bytes = 0;
    std::size_t m_room = 0; // how many bytes of text fit before the padding
    std::vector<std::uint64_t> m_ends;
    std::uint64_t m_generation = 0;
};

} // namespace tes
