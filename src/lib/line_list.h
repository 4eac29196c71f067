#pragma once

#include "lib/read_padding.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

// A list of text lines kept compactly: one buffer holding every line's text, plus the offset where
// each line ends. Millions of rows cost their text and 8 bytes a row, and appending never allocates
// per line. The buffer keeps kReadPadding zero bytes behind the last line, so number readers may look
// past a line's end. Each change bumps `generation()` so views can tell that they must refresh.
class LineList {
public:
    LineList() : m_text(kReadPadding, '\0') {}

    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }

    std::string_view operator[](std::size_t row) const {
        const std::uint64_t begin = row == 0 ? 0 : m_ends[row - 1];
        return text().substr(begin, m_ends[row] - begin);
    }

    void clear() {
        m_text.assign(kReadPadding, '\0');
        m_ends.clear();
        ++m_generation;
    }
    // Releases the memory too (a huge list that is replaced by a small one).
    void clearAndRelease() {
        std::string(kReadPadding, '\0').swap(m_text);
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
    void endLine() {
        m_ends.push_back(textBytes());
        ++m_generation;
    }

    void reserve(std::size_t lines, std::size_t bytes) {
        m_ends.reserve(lines);
        m_text.reserve(bytes + kReadPadding);
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

    // Every line's text one after another, and where each line ends in it; kReadPadding readable
    // bytes follow the text.
    std::string_view text() const { return std::string_view(m_text).substr(0, textBytes()); }
    std::span<const std::uint64_t> ends() const { return m_ends; }
    // Where the buffers lie and how much room they have, for callers that prepare the room's pages.
    std::span<const char> textRoom() const { return {m_text.data(), m_text.capacity()}; }
    std::span<const std::uint64_t> endsRoom() const { return {m_ends.data(), m_ends.capacity()}; }

    std::uint64_t generation() const { return m_generation; }
    std::size_t textBytes() const { return m_text.size() - kReadPadding; }
    std::vector<std::string> toVector() const {
        std::vector<std::string> out;
        out.reserve(size());
        for (std::size_t i = 0; i < size(); ++i)
            out.emplace_back((*this)[i]);
        return out;
    }

private:
    // Makes `bytes` more bytes of text and returns where they start; the padding moves behind them.
    // The growth zero-fills the new bytes, so the padding stays zero whatever the caller writes.
    char* grow(std::size_t bytes) {
        const std::size_t at = textBytes();
        m_text.resize(m_text.size() + bytes);
        return m_text.data() + at;
    }

    std::string m_text; // the lines' text, then kReadPadding zero bytes
    std::vector<std::uint64_t> m_ends;
    std::uint64_t m_generation = 0;
};

} // namespace tes
