// The reader's scene: what a merge brings, and what the script prints in the Listener.
#include "lib/fields.h"
#include "support/maxscript_scene.h"

#include <algorithm>
#include <set>

namespace tes::test {

namespace {

// The flags that say what a merge does with a node or material whose name the scene holds already,
// with links to nodes it does not merge: without one, 3ds Max may ask in a dialog.
const std::set<std::string> kNodeActions{"mergedups", "skipdups", "deleteolddups", "autorenamedups"};
const std::set<std::string> kMaterialActions{"renamemtldups", "usescenemtldups", "usemergedmtldups"};
const std::set<std::string> kReparentActions{"alwaysreparent", "neverreparent"};

} // namespace

bool MaxScene::merge(MaxCursor& c) {
    m_mergedFile = c.string();
    bool select = false;
    bool quiet = false;
    Value* mergedNodes = nullptr;
    std::set<std::string> flags;
    while (!c.atEnd() && c.peek() != ')') {
        if (c.take("#")) {
            const std::string flag = Lower(c.identifier());
            const bool known = flag == "select" || flag == "noredraw" || kNodeActions.count(flag) ||
                               kMaterialActions.count(flag) || kReparentActions.count(flag);
            if (!known)
                throw ScriptFault("a merge flag the reader does not know: #" + flag);
            if (!flags.insert(flag).second)
                throw ScriptFault("a merge flag given twice: #" + flag);
            select = select || flag == "select";
            continue;
        }
        const std::string key = Lower(c.identifier());
        c.expect(":");
        if (key == "quiet") {
            Value v = primary(c);
            quiet = As<bool>(v, "true or false");
        } else if (key == "mergednodes") {
            c.expect("&");
            mergedNodes = &variable(Lower(c.identifier()));
        } else {
            throw ScriptFault("a merge keyword the reader does not know: " + key);
        }
    }
    const auto any = [&](const std::set<std::string>& of) {
        return std::count_if(flags.begin(), flags.end(), [&](const std::string& f) { return of.count(f); });
    };
    if (any(kNodeActions) > 1 || any(kMaterialActions) > 1 || any(kReparentActions) > 1)
        throw ScriptFault("a merge given two actions for one kind of name");
    const bool asksNothing =
        any(kNodeActions) == 1 && any(kMaterialActions) == 1 && any(kReparentActions) == 1 && quiet;
    if (!m_classic && !asksNothing)
        throw ScriptFault("a merge that may ask in a dialog: it names no action for names, materials and "
                          "links the scene holds already, or is not quiet");
    const std::optional<std::vector<PlacedNode>> objects = objectsOf(m_mergedFile);
    if (!objects)
        return false;
    // The merged objects become the selection, but for hidden ones: nobody can select those.
    if (select)
        m_selection.clear();
    std::string action = "renamemtldups";
    for (const std::string& flag : flags)
        action = kMaterialActions.count(flag) ? flag : action;
    std::map<long long, long long> materials; // each of the file's, as the scene takes it
    for (const PlacedNode& o : *objects)
        if (o.material >= 0 && !materials.count(o.material))
            materials[o.material] =
                static_cast<long long>(mergedMaterial(static_cast<std::size_t>(o.material), action));
    const auto first = static_cast<long long>(m_nodes.size());
    Nodes merged;
    for (PlacedNode node : *objects) {
        node.origin = NodeOrigin::Merged;
        node.file = m_mergedFile;
        node.parent = node.parent < 0 ? -1 : first + node.parent;
        node.material = node.material < 0 ? -1 : materials[node.material];
        m_linked = m_linked || node.parent >= 0;
        merged.push_back(m_nodes.size());
        if (select && !node.hidden)
            m_selection.push_back(m_nodes.size());
        m_nodes.push_back(std::move(node));
    }
    if (mergedNodes)
        *mergedNodes = merged;
    return true;
}

std::optional<std::vector<PlacedNode>> MaxScene::objectsOf(const std::string& file) {
    const auto saved = m_saved.find(UpperCase(file));
    if (saved != m_saved.end())
        return saved->second;
    std::vector<MaxObject> objects{MaxObject(m_objectName.c_str())};
    const auto known = std::find_if(m_files.begin(), m_files.end(),
                                    [&](const auto& f) { return EqualsIgnoringAsciiCase(f.first, file); });
    if (known != m_files.end())
        objects = known->second;
    else if (!m_files.empty())
        throw ScriptFault("a Max file the test does not know: " + file);
    else if (!m_scriptFile.empty())
        return std::nullopt;
    // Each linked to the object of its file that bears its parent's name.
    std::vector<PlacedNode> nodes;
    for (const MaxObject& o : objects) {
        PlacedNode node;
        node.name = o.name;
        node.position = o.at;
        node.hidden = o.hidden;
        node.frozen = o.frozen;
        node.bottom = o.bottom;
        const auto parent = std::find_if(objects.begin(), objects.end(),
                                         [&](const MaxObject& p) { return p.name == o.parent; });
        node.parent = parent == objects.end() ? -1 : parent - objects.begin();
        nodes.push_back(std::move(node));
    }
    return nodes;
}

// A material named as one of the scene's is taken as the action says: the scene's kept and the merged
// one renamed, the scene's used instead, or the merged one used by the scene's nodes too.
std::size_t MaxScene::mergedMaterial(std::size_t incoming, const std::string& action) {
    const Material material = m_materials[incoming];
    long long scene = -1;
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        const long long m = m_nodes[i].material;
        if (!isDeleted(i) && m >= 0 && m_materials[static_cast<std::size_t>(m)].name == material.name)
            scene = m;
    }
    if (scene >= 0 && action == "usescenemtldups")
        return static_cast<std::size_t>(scene);
    m_materials.push_back(material);
    const auto taken = static_cast<long long>(m_materials.size() - 1);
    if (scene >= 0 && action == "renamemtldups")
        m_materials.back().name += " (merged)";
    for (PlacedNode& node : m_nodes)
        if (scene >= 0 && action == "usemergedmtldups" && node.material == scene)
            node.material = taken;
    return m_materials.size() - 1;
}

void MaxScene::format(MaxCursor& c) {
    const std::string pattern = c.string();
    std::string line;
    for (const char ch : pattern) {
        if (ch != '%') {
            line += ch;
            continue;
        }
        Value v = primary(c);
        line += Printed(v);
    }
    if (c.take("to")) { // a file's line
        c.expect(":");
        Value file = primary(c);
        As<FileStream>(file, "a file");
        return;
    }
    if (!line.ends_with('\n'))
        throw ScriptFault("a Listener line that does not end");
    line.pop_back();
    if (line.find('\n') != std::string::npos)
        throw ScriptFault("a Listener text of several lines");
    m_listener.push_back(std::move(line));
}

} // namespace tes::test
