// The reader's scene: the functions of 3ds Max the scripts call, the statements that concern the scene
// alone, and the models a script makes and saves as Max files.
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/numbers.h"
#include "support/maxscript_scene.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tes::test {

std::string Printed(const Value& v) {
    const auto number = [](double n) { return DecimalText(n); };
    if (const std::string* text = std::get_if<std::string>(&v))
        return *text;
    if (const long long* whole = std::get_if<long long>(&v))
        return std::to_string(*whole);
    if (const double* fraction = std::get_if<double>(&v))
        return number(*fraction);
    if (const bool* truth = std::get_if<bool>(&v))
        return *truth ? "true" : "false";
    if (std::holds_alternative<std::monostate>(v))
        return "undefined";
    if (const Point3* p = std::get_if<Point3>(&v))
        return "[" + number(p->x) + "," + number(p->y) + "," + number(p->z) + "]";
    if (const Points* items = std::get_if<Points>(&v)) {
        std::string text = "#(";
        for (const DataItem& item : *items)
            text += (text.size() > 2 ? ", " : "") + Printed(ItemValue(item));
        return text + ")";
    }
    throw ScriptFault("a value the reader does not print");
}

bool MaxScene::command(const std::string& word, MaxCursor& c) {
    const auto none = [&] {
        c.expect("(");
        c.expect(")");
    };
    if (word == "clearlistener") {
        none();
        m_listener.clear();
    } else if (word == "clearselection") {
        none();
        m_selection.clear();
    } else if (word == "setlistenersel") { // the whole text, or none of it
        const Value range = primary(c);
        m_listenerSelected = range == Value(Points{0.0, -1.0});
        if (!m_listenerSelected && range != Value(Points{-1.0, -1.0}))
            throw ScriptFault("a Listener selection the reader does not know");
    } else if (word == "max") {
        c.expect("move");
    } else if (word == "mergemaxfile") {
        merge(c);
    } else if (word == "format") {
        format(c);
    } else if (word == "join") {
        Value& into = variable(Lower(c.identifier()));
        Nodes more = NodesOf(value(c)), all = NodesOf(into);
        all.insert(all.end(), more.begin(), more.end());
        into = all;
    } else if (word == "unhide" || word == "unfreeze") {
        release(c, word == "unhide");
    } else if (word == "hide") {
        for (const std::size_t node : NodesOf(value(c)))
            m_nodes[node].hidden = true;
    } else if (word == "maxops" && c.takeAdjacent('.') && c.take("cloneNodes")) {
        cloneNodes(c);
    } else if (word == "rotate") {
        rotate(c);
    } else if (word == "delete") {
        remove(c);
    } else if (word == "throw") {
        Value message = value(c);
        throw MaxError(As<std::string>(message, "a message"));
    } else if (word == "copy" || word == "instance") {
        clone(c, word == "copy" ? NodeOrigin::Copy : NodeOrigin::Instance);
    } else if (word == "savenodes") {
        saveNodes(c);
    } else if (word == "close") {
        Value file = value(c);
        As<FileStream>(file, "a file");
    } else {
        return false;
    }
    return true;
}

std::optional<Value> MaxScene::function(const std::string& name, MaxCursor& c) {
    const auto text = [&] {
        Value v = primary(c);
        return As<std::string>(v, "a string");
    };
    const auto node = [&] {
        Value v = primary(c);
        return As<NodeRef>(v, "a node").index;
    };
    const auto none = [&] {
        c.expect("(");
        c.expect(")");
    };
    if (name == "box" || name == "cylinder" || name == "dummy") {
        const std::string type = name == "box" ? "Box" : name == "cylinder" ? "Cylinder" : "Dummy";
        MaxCursor keyword = c;
        const bool made = std::isalpha(static_cast<unsigned char>(keyword.peek())) &&
                          (keyword.identifier(), keyword.takeAdjacent(':'));
        return made ? create(type, c) : Value(NodeClass{type});
    }
    if (name == "standardmaterial" || name == "color") {
        Material material;
        Color& rgb = material.diffuse;
        for (float* part : {&rgb.r, &rgb.g, &rgb.b})
            if (name == "color")
                *part = static_cast<float>(Number(primary(c)));
        while (name != "color" && !c.atEnd() && c.peek() != ')') {
            const std::string key = Lower(c.identifier());
            c.expect(":");
            Value v = primary(c);
            if (key == "name")
                material.name = As<std::string>(v, "a name");
            else if (key == "diffuse")
                rgb = As<Color>(v, "a color");
            else
                throw ScriptFault("a material keyword the reader does not know: " + key);
        }
        if (name == "color")
            return rgb;
        m_materials.push_back(material);
        return MaterialRef{m_materials.size() - 1};
    }
    if (name == "group")
        return group(c);
    if (name == "classof")
        return NodeClass{m_nodes[node()].type};
    if (name == "isgrouphead")
        return m_nodes[node()].groupHead;
    if (name == "isdeleted")
        return isDeleted(node());
    if (name == "stricmp") {
        const std::string a = UpperCase(text()), b = UpperCase(text());
        return static_cast<long long>(a < b ? -1 : a == b ? 0 : 1);
    }
    if (name == "findstring") {
        const std::string in = text(), sought = text();
        const std::size_t at = in.find(sought);
        return at == std::string::npos ? Value() : Value(static_cast<long long>(at + 1));
    }
    if (name == "doesfileexist") {
        const std::string path = text();
        std::error_code error;
        return m_saved.count(UpperCase(path)) > 0 || std::filesystem::exists(PathFromUtf8(path), error);
    }
    if (name == "getnodebyname") {
        const std::string wanted = text();
        for (std::size_t i = 0; i < m_nodes.size(); ++i)
            if (!isDeleted(i) && EqualsIgnoringAsciiCase(m_nodes[i].name, wanted))
                return NodeRef{i};
        return Value();
    }
    if (name == "getthisscriptfilename") {
        none();
        return m_scriptFile.empty() ? Value() : Value(m_scriptFile);
    }
    if (name == "getfilenamepath") {
        const std::string path = text();
        return path.substr(0, path.find_last_of("/\\") + 1);
    }
    if (name == "getlistenerseltext") {
        none();
        std::string selected;
        for (const std::string& line : m_listener)
            selected += m_listenerSelected ? line + "\n" : "";
        return selected;
    }
    if (name == "maxversion") { // 3ds Max 2024's
        none();
        return Points{26000LL, 60LL, 0LL};
    }
    if (name == "createfile")
        return FileStream{text()};
    if (name == "objects") {
        Nodes all;
        for (std::size_t i = 0; i < m_nodes.size(); ++i)
            if (!isDeleted(i))
                all.push_back(i);
        return all;
    }
    return std::nullopt;
}

// A box or a cylinder stands on its pivot, at the middle of its base.
Value MaxScene::create(const std::string& type, MaxCursor& c) {
    PlacedNode node;
    node.origin = NodeOrigin::Copy;
    node.type = type;
    while (!c.atEnd() && c.peek() != ')') {
        const std::string key = Lower(c.identifier());
        c.expect(":");
        Value v = primary(c);
        if (key == "name")
            node.name = As<std::string>(v, "a name");
        else if (key == "pos")
            node.position = As<Point3>(v, "a point");
        else if (key == "height")
            node.height = static_cast<float>(Number(v));
        else if (key != "length" && key != "width" && key != "radius")
            throw ScriptFault("a keyword the reader does not know: " + key);
    }
    m_nodes.push_back(std::move(node));
    return NodeRef{m_nodes.size() - 1};
}

// The head's pivot is at the middle of the members' box; the reader takes the middle of their pivots
// across (it knows only the heights of boxes).
Value MaxScene::group(MaxCursor& c) {
    const Nodes members = NodesOf(primary(c));
    c.expect("name");
    c.expect(":");
    Value name = primary(c);
    if (members.empty())
        throw ScriptFault("a group of nothing");
    Point3 low = m_nodes[members[0]].position, high = low;
    for (const std::size_t i : members) {
        const PlacedNode& n = m_nodes[i];
        const float bottom = n.position.z + n.bottom * n.scale.z;
        low = {std::min(low.x, n.position.x), std::min(low.y, n.position.y), std::min(low.z, bottom)};
        high = {std::max(high.x, n.position.x), std::max(high.y, n.position.y),
                std::max(high.z, bottom + n.height * n.scale.z)};
    }
    PlacedNode head;
    head.name = As<std::string>(name, "a name");
    head.origin = NodeOrigin::Copy;
    head.position = {(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2};
    head.bottom = low.z - head.position.z;
    head.height = high.z - low.z;
    head.type = "Dummy";
    head.groupHead = true;
    m_nodes.push_back(std::move(head));
    for (const std::size_t i : members)
        m_nodes[i].parent = static_cast<long long>(m_nodes.size() - 1);
    m_linked = true;
    return NodeRef{m_nodes.size() - 1};
}

// A Max file in a folder that is not there is not written.
void MaxScene::saveNodes(MaxCursor& c) {
    const Nodes nodes = NodesOf(primary(c));
    Value path = primary(c);
    for (const char* word : {"quiet", ":", "true"})
        c.expect(word);
    const std::string file = As<std::string>(path, "a file name");
    std::error_code error;
    if (!std::filesystem::is_directory(PathFromUtf8(file).parent_path(), error))
        return;
    std::vector<PlacedNode>& saved = m_saved[UpperCase(file)];
    saved.clear();
    for (const std::size_t i : nodes) {
        saved.push_back(m_nodes[i]);
        const auto parent =
            std::find(nodes.begin(), nodes.end(), static_cast<std::size_t>(m_nodes[i].parent));
        saved.back().parent = m_nodes[i].parent < 0 || parent == nodes.end() ? -1 : parent - nodes.begin();
    }
}

} // namespace tes::test
