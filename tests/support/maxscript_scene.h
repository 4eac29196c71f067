#pragma once

#include "support/maxscript_cursor.h"
#include "support/placement_reader.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The scene a placement script works on, its variables, and the expressions and node statements of
// the two script shapes; the placement reader runs the lines and blocks around them.
namespace tes::test {

struct NodeRef {
    std::size_t index;
    bool operator==(const NodeRef&) const = default;
};
struct Layer {
    std::string name;
    bool operator==(const Layer&) const = default;
};
// A material of the scene, by its place among the scene's materials.
struct MaterialRef {
    std::size_t index;
    bool operator==(const MaterialRef&) const = default;
};
struct Color {
    float r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};
// A class of node as classOf gives it and its name reads: Box, Cylinder, Dummy.
struct NodeClass {
    std::string name;
    bool operator==(const NodeClass&) const = default;
};
// A file opened with createFile.
struct FileStream {
    std::string path;
    bool operator==(const FileStream&) const = default;
};
using Nodes = std::vector<std::size_t>;
// An item of a data array: a point, or a number or a string beside it.
using DataItem = std::variant<Point3, long long, double, std::string>;
using Points = std::vector<DataItem>;
using Chunks = std::vector<Points>;
using Value = std::variant<std::monostate, bool, long long, double, std::string, NodeRef, Nodes, Point3,
                           Points, Chunks, Layer, MaterialRef, Color, NodeClass, FileStream>;

template <typename T> T& As(Value& value, const char* what) {
    if (T* held = std::get_if<T>(&value))
        return *held;
    throw ScriptFault(std::string("expected ") + what);
}

// The item as a value of the script.
Value ItemValue(const DataItem& item);
inline Value ItemValue(std::size_t node) {
    return NodeRef{node};
}
inline Value ItemValue(const Points& items) {
    return items;
}
// A value as an item of a data array: a point, a string or a number.
DataItem ItemOf(const Value& value);

// A node, or each node of an array.
Nodes NodesOf(const Value& value);

// A whole or a fractional number as a double.
double Number(const Value& value);

// Variable names are the same whatever their letter case.
std::string Lower(std::string text);

// The text `as string` and format give a value.
std::string Printed(const Value& value);

class MaxScene {
public:
    MaxScene(std::string_view objectName, MaxFiles files)
        : m_objectName(objectName), m_files(std::move(files)) {}

    // A value: `and` and `or` of comparisons (==, !=, <, >, <=, >=), each of sums (strings joined,
    // numbers and points added with + and -) of products (a point or a number times a number).
    Value value(MaxCursor& c);
    // A statement that concerns the scene alone (merge, clone, delete, rotate, format, the Listener...),
    // once its first word is read; false when `word` begins no such statement.
    bool command(const std::string& word, MaxCursor& c);
    void addToLayer(std::size_t node, const std::string& layer);
    // The nodes on the layer, deleted ones aside.
    Nodes layerNodes(const std::string& layer) const;
    // <node>.<property> = <value>, once the node and its dot are read.
    void property(std::size_t node, MaxCursor& c);
    // A pathname, or a variable that holds a node; never a deleted node.
    std::size_t target(MaxCursor& c);

    Value& variable(const std::string& name);
    void declare(const std::string& name, Value value) { m_vars[name] = std::move(value); }
    // fileIn runs a script with variables of its own: the caller's are kept aside meanwhile.
    void swapVariables(std::map<std::string, Value>& vars) { m_vars.swap(vars); }
    // Every node made, deleted ones too: node references index it.
    const std::vector<PlacedNode>& nodes() const { return m_nodes; }
    // The nodes not deleted, their links among them, and their layers.
    void remaining(Placement& placement) const;
    bool isDeleted(std::size_t node) const { return node < m_deleted.size() && m_deleted[node]; }
    const std::string& mergedFile() const { return m_mergedFile; }
    // The script's lines from here on are the classic script's (true) or the fast one's.
    void setClassic(bool classic) { m_classic = classic; }
    // The message of the error a catch handles, for getCurrentException(); none outside a catch.
    void setException(std::optional<std::string> message) { m_exception = std::move(message); }
    std::vector<std::string>& listener() { return m_listener; }
    // The script file being run, for getThisScriptFilename(); with one, the Max files are those the
    // scripts save, and a merge of another file fails as 3ds Max's merge of a missing file does.
    std::string& scriptFile() { return m_scriptFile; }

private:
    struct Material {
        std::string name;
        Color diffuse;
    };
    // A merge gives whether it merged.
    bool merge(MaxCursor& c);
    std::size_t clone(MaxCursor& c, NodeOrigin origin);
    // maxOps.cloneNodes <node> expandHierarchy:true cloneType:#copy|#instance newNodes:&<variable>.
    void cloneNodes(MaxCursor& c);
    Value comparison(MaxCursor& c);
    Value sum(MaxCursor& c);
    Value primary(MaxCursor& c);
    Value term(MaxCursor& c);
    // The functions of 3ds Max the scripts call, and the classes they make nodes of; none when `name`
    // is none of them (maxscript_calls.cpp).
    std::optional<Value> function(const std::string& name, MaxCursor& c);
    // Box, Cylinder: the new node with its keywords (name:, pos:, length:, width:, height:, radius:).
    Value create(const std::string& type, MaxCursor& c);
    // group <nodes> name:<string>: a dummy head at the middle of the nodes' box, linked above them.
    Value group(MaxCursor& c);
    // saveNodes <nodes> <file> quiet:true: the Max file holds the nodes as they are.
    void saveNodes(MaxCursor& c);
    // The objects a merge of `file` brings, each linked by its place among them; none when 3ds Max
    // finds no such file.
    std::optional<std::vector<PlacedNode>> objectsOf(const std::string& file);
    // The material a merged node takes, by the merge's action for names the scene's materials hold.
    std::size_t mergedMaterial(std::size_t incoming, const std::string& action);
    void rotate(MaxCursor& c);
    // delete <nodes>: they leave the scene.
    void remove(MaxCursor& c);
    // unhide|unfreeze <nodes>, once the first word is read.
    void release(MaxCursor& c, bool hidden);
    // format <string> <value>... [to:<file>]: the line it prints, each % taking the next value.
    void format(MaxCursor& c);
    // The nodes linked to `node`: a group's members to its head.
    Nodes children(std::size_t node) const;
    // Nodes linked below `node` follow its change from `before`, about its pivot.
    void follow(std::size_t node, const PlacedNode& before);
    // <variable> followed, with no blank between, by .<property> or [<index>] (again).
    Value access(MaxCursor& c, const Value& v);
    Value layer(MaxCursor& c);
    // The one node the pathname finds.
    std::size_t resolve(const NamePattern& pattern);

    std::string m_objectName;
    MaxFiles m_files;
    std::map<std::string, std::vector<PlacedNode>> m_saved; // by the file's name in capitals
    std::vector<PlacedNode> m_nodes;
    std::vector<bool> m_deleted;
    std::vector<std::string> m_layerOf;
    std::vector<Material> m_materials;
    bool m_linked = false; // some node is linked to another
    Nodes m_selection;
    std::vector<std::string> m_layers;
    std::map<std::string, Value> m_vars;
    std::string m_mergedFile;
    bool m_classic = false;
    std::optional<std::string> m_exception;
    std::vector<std::string> m_listener;
    bool m_listenerSelected = false; // the whole of the Listener's text
    std::string m_scriptFile;
};

} // namespace tes::test
