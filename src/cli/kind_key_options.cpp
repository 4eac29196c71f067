#include "cli/kind_key_options.h"

#include "cli/variation_options.h"
#include "lib/fields.h"
#include "lib/ini.h"
#include "project/kind_key_table.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace tes::cli {

namespace {

// Within a group the help lists the options that take a text as it is, those that read an empty text
// as the key's default, the repeatable ones and those that refuse an empty text; then the flags that
// empty a list.
constexpr KeyOptionForm kHelpOrder[] = {KeyOptionForm::Text, KeyOptionForm::Value, KeyOptionForm::Repeated,
                                        KeyOptionForm::NotEmpty};

// What the parser gives an option that came without its value: no argument can hold a NUL.
const std::string kNoValue(1, '\0');

// A value of several parts gives each its separator once: the reader takes all after the first into
// the last part (an object's name the file holds may have a bar), but on the command line a second
// one is a slip.
void RefuseExtraSeparators(const KindKey& key, const std::string& text) {
    if (key.partsSeparator == 0 || key.list || key.fields.size() < 2)
        return;
    const auto separators =
        static_cast<std::size_t>(std::count(text.begin(), text.end(), key.partsSeparator));
    if (separators >= key.fields.size())
        throw CLI::ValidationError(std::string(key.option.name),
                                   text + " is not " + std::string(key.option.valueName) +
                                       ": it has more than one " + key.partsSeparator);
}

// The option's text as the key is to read it, or none for the word that stands for the key's default;
// a text that is no value is refused with the option's name, as a wrong argument.
std::optional<std::string> Checked(const KindKey& key, const std::string& text) {
    const KindKey::Option& option = key.option;
    const std::string name(option.name);
    if (text == kNoValue)
        throw CLI::ValidationError(name,
                                   "has no value; it takes " +
                                       std::string(option.rule.empty() ? option.valueName : option.rule));
    if (option.form == KeyOptionForm::NotEmpty)
        RefuseEmpty(name, text, option.rule);
    const bool defaultWord = !option.defaultWord.empty();
    if (defaultWord && EqualsIgnoringAsciiCase(TrimIniBlanks(text), option.defaultWord))
        return std::nullopt;
    KindRow row;
    const std::string problem = key.read(text, row);
    // The key's reader knows no word for the default: a text it cannot read, or reads as the default
    // (blanks), is refused with every word the option takes.
    if (defaultWord && (!problem.empty() || key.holdsDefault(row)))
        throw CLI::ValidationError(name, text + " is not " + std::string(option.rule));
    if (!problem.empty())
        throw CLI::ValidationError(name, text + " " + problem);
    RefuseExtraSeparators(key, text);
    return text;
}

void AddValueOption(CLI::App& app, KindsOptions& kinds, const KindKey& key, CLI::Option* set) {
    const KindKey::Option& option = key.option;
    const std::string name(option.name);
    const std::string help(option.help);
    CLI::Option* added = option.form == KeyOptionForm::Repeated
                             ? app.add_option_function<std::vector<std::string>>(
                                   name,
                                   [&kinds, &key](const std::vector<std::string>& texts) {
                                       for (const std::string& text : texts)
                                           kinds.given.push_back({&key, Checked(key, text)});
                                   },
                                   help)
                             : app.add_option_function<std::string>(
                                   name,
                                   [&kinds, &key](const std::string& text) {
                                       kinds.given.push_back({&key, Checked(key, text)});
                                   },
                                   help);
    added->type_name(std::string(option.valueName));
    if (option.form == KeyOptionForm::Text)
        added->check(OneLine());
    // A value read by the key's reader may be missing, to be refused in the option's words rather than
    // the parser's. A text (a path, a name) always takes the next argument, even one that starts with a
    // minus sign.
    if (option.form == KeyOptionForm::Value || option.form == KeyOptionForm::NotEmpty)
        added->expected(0, 1)->default_str(kNoValue);
    added->needs(set)->group(std::string(option.group));
}

} // namespace

CLI::Validator OneLine() {
    return CLI::Validator(
        [](std::string& value) -> std::string {
            return value.find_first_of("\r\n") == std::string::npos ? std::string()
                                                                    : std::string("must be one line");
        },
        "");
}

void AddKindKeyOptions(CLI::App& app, KindsOptions& kinds, CLI::Option* set) {
    std::vector<std::string_view> groups;
    for (const KindKey& key : KindKeys()) {
        if (std::find(groups.begin(), groups.end(), key.option.group) == groups.end())
            groups.push_back(key.option.group);
    }
    for (std::string_view group : groups) {
        for (KeyOptionForm form : kHelpOrder) {
            for (const KindKey& key : KindKeys()) {
                if (key.option.group == group && key.option.form == form)
                    AddValueOption(app, kinds, key, set);
            }
        }
        for (const KindKey& key : KindKeys()) {
            if (key.option.group != group || key.option.form != KeyOptionForm::Repeated)
                continue;
            app.add_flag_callback(
                   std::string(key.option.flag),
                   [&kinds, &key] {
                       kinds.given.push_back({&key, std::nullopt});
                   },
                   std::string(key.option.flagHelp))
                ->needs(set)
                ->group(std::string(group));
        }
    }
}

void AddKindKeySwitches(CLI::App& app, KindsOptions& kinds, CLI::Option* set) {
    for (const KindKey& key : KindKeys()) {
        if (key.option.form != KeyOptionForm::Disable)
            continue;
        app.add_flag_callback(
               std::string(key.option.flag),
               [&kinds, &key] {
                   kinds.given.push_back({&key, std::string(key.option.flagText)});
               },
               std::string(key.option.flagHelp))
            ->needs(set)
            ->group(std::string(key.option.group));
    }
}

std::string KindColumnsHelp() {
    std::string text;
    for (const KindKey& key : KindKeys())
        text +=
            (text.empty() ? "" : ", ") + std::string(key.columnHelp.empty() ? key.column : key.columnHelp);
    return text;
}

} // namespace tes::cli
