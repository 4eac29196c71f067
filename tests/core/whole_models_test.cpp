// A model of several objects (a group, an object with others linked below it) is cloned whole by every
// loop of the fast script: each plant is the model at its place, turned and scaled as one about the named
// object, shown, on the script's layer, and nothing else the Max file held is left.
#include "core/script/placement_script.h"
#include "support/placement_reader.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace tes::test {
namespace {

// A group of three and a trunk with two leaves (one with a fruit) beside two objects of their own; the
// group's head is hidden and frozen, and so are two of its members.
const std::vector<MaxObject> kTrees = {
    {"Rock", "", {9, 9, 0}},
    {"TreeGroup", "", {10, 20, 0}, true, true},
    {"A", "TreeGroup", {12, 20, 0}},
    {"B", "TreeGroup", {10, 25, 3}, true},
    {"C", "TreeGroup", {8, 18, 1}, false, true},
    {"Trunk", "", {-5, 0, 0}},
    {"LeafA", "Trunk", {-5, 2, 6}},
    {"LeafB", "Trunk", {-3, 0, 5}},
    {"Fruit", "LeafA", {-5, 3, 5}},
    {"Bush", "", {50, 0, 0}},
};

// The object a plant's head was cloned from: its name without the counter.
std::string Base(std::string name) {
    while (!name.empty() && name.back() >= '0' && name.back() <= '9')
        name.pop_back();
    return name;
}

TEST(WholeModels, EveryPlantIsTheWholeModelAndNothingElseIsLeft) {
    const struct {
        const char* object;
        bool instances, varied, lighter;
    } cases[] = {
        {"TreeGroup", false, false, false}, // the plain script: the group itself is the first plant
        {"Trunk", true, false, false},
        {"Trunk", false, true, false}, // the group a variant, each plant turned and scaled
        {"Trunk", false, false, true}, // the group the far model, and boxes
    };
    LineList records;
    for (int i = 0; i < 400; ++i)
        records.append("5," + std::to_string(700 + i * 131 % 1700) + ",1," +
                       std::to_string(700 + i * 197 % 1700));
    std::map<std::string, Point3> at;
    std::vector<MaxObject> alone = kTrees; // the same objects, none linked
    for (MaxObject& o : alone) {
        at[o.name] = o.at;
        o.parent.clear();
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.object) + (c.varied ? " varied" : c.lighter ? " lighter" : ""));
        PlacementRequest request;
        PlacementOptions& o = request.options;
        o.kindNumber = "5";
        o.maxFile = "C:\\M\\Trees.max";
        o.objectName = c.object;
        o.terrainWidth = 5;
        o.projectBasePath = "V";
        o.saveToFile = false;
        o.rotationAngle = "30";
        o.style = {ScriptShape::Fast, c.instances, false};
        if (c.varied) {
            o.plants.turn = ValueRange{0, 360};
            o.plants.scale = ValueRange{80, 120};
            o.variants = {{"C:\\M\\Trees.max", "TreeGroup", 1}};
        }
        if (c.lighter) {
            o.views = {{{0, 0}, {100, -50}, 170, 10, 0, 0}};
            o.plants.detail = {"C:\\M\\Trees.max", "TreeGroup", 150, 200};
        }
        request.records = &records;
        const PlacementResult built = BuildPlacementScript(request);
        ASSERT_EQ(built.outcome, BuildOutcome::Built);
        const Placement whole = ReadPlacement(built.lines, "", {{"C:\\M\\TREES.MAX", kTrees}});
        const Placement one = ReadPlacement(built.lines, "", {{"C:\\M\\TREES.MAX", alone}});
        ASSERT_EQ(whole.fault, "");
        ASSERT_EQ(one.fault, "");
        // The heads are the plants a model of one object gives; the other nodes follow their head.
        std::vector<PlacedNode> heads;
        std::map<long long, std::size_t> sizes; // the nodes of each plant, by its head
        std::size_t boxes = 0, far = 0;
        for (std::size_t i = 0; i < whole.nodes.size(); ++i) {
            const PlacedNode& node = whole.nodes[i];
            long long root = static_cast<long long>(i);
            while (whole.nodes[static_cast<std::size_t>(root)].parent >= 0)
                root = whole.nodes[static_cast<std::size_t>(root)].parent;
            const PlacedNode& head = whole.nodes[static_cast<std::size_t>(root)];
            ++sizes[root];
            EXPECT_EQ(whole.layers[i], "V_MainVeg_05") << node.name;
            EXPECT_FALSE(node.hidden || node.frozen) << node.name;
            EXPECT_EQ(node.box, head.box);
            EXPECT_EQ(node.origin, head.origin);
            if (node.parent < 0) {
                heads.push_back(node);
                boxes += node.box;
                far += c.lighter && Base(node.name) == "TreeGroup";
                continue;
            }
            const Point3 from = at[Base(head.name)], to = at[node.name];
            const double r = head.rotation * 3.14159265358979323846 / 180, s = head.scale.x;
            const double x = (to.x - from.x) * s, y = (to.y - from.y) * s;
            EXPECT_NEAR(node.position.x, head.position.x + x * std::cos(r) - y * std::sin(r), 2e-3)
                << node.name;
            EXPECT_NEAR(node.position.y, head.position.y + x * std::sin(r) + y * std::cos(r), 2e-3)
                << node.name;
            EXPECT_NEAR(node.position.z, head.position.z + (to.z - from.z) * s, 2e-3) << node.name;
            EXPECT_NEAR(node.rotation, head.rotation, 1e-3) << node.name;
            EXPECT_NEAR(node.scale.y, s, 1e-6) << node.name;
        }
        EXPECT_EQ(heads, one.nodes);
        ASSERT_EQ(heads.size(), built.objectCount);
        for (const auto& [head, size] : sizes)
            EXPECT_EQ(size, 4u) << whole.nodes[static_cast<std::size_t>(head)].name;
        EXPECT_TRUE(!c.lighter || (boxes > 10 && far > boxes && far < heads.size())) << boxes << ' ' << far;
    }
}

} // namespace
} // namespace tes::test
