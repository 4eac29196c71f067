#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

struct KindRow;

// How `kinds --set` takes a key's value.
enum class KeyOptionForm {
    Text,     // a text of one line, taken as it is (a path, a name)
    Value,    // read by the key's reader; empty is the key's default
    NotEmpty, // read by the key's reader; an empty value is refused
    Repeated, // repeatable: the row's list becomes exactly the values given; a flag clears it
    Disable,  // a flag that writes the key's "off" text; without it --set writes the key's "on" text
};

// What a field of the Kinds dialog holds, which decides its widget and its width.
enum class FieldShape {
    Number, // room for "-360.5" or "1000000", no more
    Name,   // an object's name
    Path,   // a Max file's path: the room its line leaves, and a Browse button after it
    Choice, // one of the key's words, chosen from a list
};

// A field of the Kinds dialog that holds the key's text, or a part of it.
struct KeyField {
    std::string_view objectName; // "txtKeep"
    std::string_view label;      // with its access key: "&Keep"
    std::string_view tip;
    std::string_view unit; // shown after the field: "%", "°"; empty: none
    FieldShape shape = FieldShape::Number;
};

// A field of a key that the Kinds dialog refuses, and why: "turn to", "the turn has a TO that is not a
// number".
struct FieldProblem {
    std::size_t part = 0; // which of the key's fields
    std::string field;
    std::string problem;
};

// One value of a kind's row in the kinds table, declared once: the reader, the writer, `kinds`, `kinds
// --set`, its help, the Kinds dialog and the comparisons of rows all loop over these declarations.
struct KindKey {
    std::string_view name = {}; // as the file writes it: "Keep"; a list numbers its lines: Variant1 ...
    std::string_view column;    // its column in `kinds`'s print: "keep"
    std::string_view title;     // what the Kinds dialog's refusals call it: "far model beyond"
    // The option of `kinds --set` that sets it.
    struct Option {
        std::string_view name;      // "--keep"
        std::string_view valueName; // "PERCENT"
        std::string_view group;     // "Thinning options"
        std::string_view help;      // ends with what it takes, as the reader says it
        KeyOptionForm form = KeyOptionForm::Value;
        std::string_view rule = {};     // what an empty value is refused with: "a number from 0 to 100"
        std::string_view flag = {};     // Repeated: the flag that clears the list; Disable: the flag
        std::string_view flagHelp = {}; // its help
        std::string_view flagText = {}; // Disable: the text the flag writes ("0"); without it, the default
        // A word the option takes for the key's default, the key left out of the file: "auto".
        std::string_view defaultWord = {};
    } option;
    // The dialog's fields; a key of two parts (a range, a model and its object) has two. None: the
    // dialog shows the key elsewhere (the kinds' list, the variants' table).
    std::vector<KeyField> fields = {};
    char partsSeparator = 0;    // between the texts of the parts in the file: ':' or '|'
    bool list = false;          // several lines, Variant1=, Variant2= ...
    bool alwaysWritten = false; // written even when it holds its default
    // Where the Kinds dialog's panel shows the fields (a list: its table): the line, the keys of a line in
    // this order with a gap between them, but none before a key that carries on the words of the one
    // before it ("thin beyond 400 keep far 30 %").
    int panelLine = 0;
    bool panelJoined = false;
    // How the help of `kinds` names the column where it says more than `column`: "Max file".
    std::string_view columnHelp = {};

    // Reads the key's text into the row; for a list, one line's text, added to the list. The problem
    // when it is no value, which completes "Keep=abc in Valley.tes.ini ..."; the row is then unchanged.
    std::string (*read)(std::string_view text, KindRow& row) = nullptr;
    // The row's value as the file writes it; for a list, each line's.
    std::vector<std::string> (*texts)(const KindRow& row) = nullptr;
    // What `kinds` prints where it is not the key's text (the object the name stands for); nothing:
    // the text, a list's with "; " between them.
    std::string (*printed)(const KindRow& row) = nullptr;
    bool (*same)(const KindRow& a, const KindRow& b) = nullptr;
    // Sets `to`'s value to `from`'s.
    void (*take)(const KindRow& from, KindRow& to) = nullptr;
    // For a key of several fields whose refusals name the field at fault: reads the fields' texts into
    // the row, or says which is wrong, and the row is unchanged. None: the dialog reads the fields' texts
    // joined as the file writes them.
    std::optional<FieldProblem> (*readFields)(const KindKey& key, std::span<const std::string> texts,
                                              KindRow& row) = nullptr;

    // Whether the row holds the key's default (the file need not say it).
    bool holdsDefault(const KindRow& row) const;
    // Whether a fault's key is this one: "keep" is Keep, "Variant3" a line of Variant.
    bool names(std::string_view key) const;
};

// The key's texts as the file is to hold them: a value that could not be read as the user wrote it (a
// list's in its place among the others), nothing where the file need not say the key.
std::vector<std::string> WrittenTexts(const KindKey& key, const KindRow& row);
// The lines "Key=text" of the keys whose values differ from a new row's, in the declarations' order.
std::vector<std::string> RowLines(const KindRow& row);
// What `kinds` prints for the key: its text (a list's joined by "; "), a faulty one as written.
std::string PrintedText(const KindKey& key, const KindRow& row);

// Every per-kind key, in the order `kinds` prints them and the writer writes them into a new section (a
// list after the others).
std::span<const KindKey> KindKeys();
// The declaration of a key ("Keep", letter case aside; "Variant2" gives Variant's), or nothing.
const KindKey* FindKindKey(std::string_view name);

} // namespace tes
