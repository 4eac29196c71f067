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
};
struct Layer {
    std::string name;
};
using Nodes = std::vector<std::size_t>;
// An item of a data array: a point, or a number beside it.
using DataItem = std::variant<Point3, long long, double>;
using Points = std::vector<DataItem>;
using Chunks = std::vector<Points>;
using Value = std::variant<std::monostate, bool, long long, double, std::string, NodeRef, Nodes, Point3,
                           Points, Chunks, Layer>;

template <typename T> T& As(Value& value, const char* what) {
    if (T* held = std::get_if<T>(&value))
        return *held;
    throw ScriptFault(std::string("expected ") + what);
}

// The item as a value of the script.
Value ItemValue(const DataItem& item);

// A node, or each node of an array.
Nodes NodesOf(const Value& value);

// A whole or a fractional number as a double.
double Number(const Value& value);

// Variable names are the same whatever their letter case.
std::string Lower(std::string text);

class MaxScene {
public:
    MaxScene(std::string_view objectName, MaxFiles files)
        : m_objectName(objectName), m_files(std::move(files)) {}

    // A value: strings joined, whole numbers added with +; a point times a number with *; two values
    // compared (==, !=, <, >, <=) to true or false.
    Value value(MaxCursor& c);
    // Each reads the rest of its statement once its first word is read. A merge gives whether it
    // merged.
    bool merge(MaxCursor& c);
    void rotate(MaxCursor& c);
    // delete <node>: the node leaves the scene.
    void remove(MaxCursor& c);
    std::size_t clone(MaxCursor& c, NodeOrigin origin);
    // maxOps.cloneNodes <node> expandHierarchy:true cloneType:#copy|#instance newNodes:&<variable>.
    void cloneNodes(MaxCursor& c);
    // unhide|unfreeze <nodes>, once the first word is read.
    void release(MaxCursor& c, bool hidden);
    void addToLayer(std::size_t node, const std::string& layer);
    // The nodes on the layer, deleted ones aside.
    Nodes layerNodes(const std::string& layer) const;
    // <node>.pos|scale = <point>, once the node and its dot are read.
    void property(std::size_t node, MaxCursor& c);
    // A pathname, or a variable that holds a node; never a deleted node.
    std::size_t target(MaxCursor& c);

    Value& variable(const std::string& name);
    void declare(const std::string& name, Value value) { m_vars[name] = std::move(value); }
    void clearSelection() { m_selection.clear(); }
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
    // format <string> <value>...: the line it prints, each % taking the next value.
    void format(MaxCursor& c);
    std::vector<std::string>& listener() { return m_listener; }

private:
    Value sum(MaxCursor& c);
    Value primary(MaxCursor& c);
    Value term(MaxCursor& c);
    // The nodes linked to `node`: a group's members to its head.
    Nodes children(std::size_t node) const;
    // Nodes linked below `node` follow its change from `before`, about its pivot.
    void follow(std::size_t node, const PlacedNode& before);
    // <variable> followed, with no blank between, by .<property> or [<index>] (again), and then "as integer"
    // or "as array".
    Value access(MaxCursor& c, const Value& v);
    Value layer(MaxCursor& c);
    // The one node the pathname finds.
    std::size_t resolve(const NamePattern& pattern);

    std::string m_objectName;
    MaxFiles m_files;
    std::vector<PlacedNode> m_nodes;
    std::vector<bool> m_deleted;
    std::vector<std::string> m_layerOf;
    bool m_linked = false; // some node is linked to another
    Nodes m_selection;
    std::vector<std::string> m_layers;
    std::map<std::string, Value> m_vars;
    std::string m_mergedFile;
    bool m_classic = false;
    std::optional<std::string> m_exception;
    std::vector<std::string> m_listener;
};

} // namespace tes::test
