#pragma once

#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tes::cli {

// The option's value read as the kinds table reads its key; what cannot be read is refused with the
// option's name, as a wrong argument.
template <typename T>
T ReadOption(const char* option, const std::string& text, KeyValue<T> (*read)(std::string_view)) {
    KeyValue<T> value = read(text);
    if (!value.read())
        throw CLI::ValidationError(option, text + " " + value.problem);
    return std::move(value.value);
}

// An option given without a value is a mistake, even where the table reads an empty text as the
// key's default.
void RefuseEmpty(const std::string& option, const std::string& text, std::string_view rule);

// --seed N: the project's seed of the plants' variation. The help is followed by the numbers it takes.
void AddSeedOption(CLI::App& app, std::optional<std::int64_t>& seed, const std::string& help);

} // namespace tes::cli
