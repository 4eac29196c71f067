// The tests' placement reader against small scripts: the literal rules it reads by and the faults it
// reports. The engine's own scripts are read in script_shapes_agree_test.cpp.
#include "support/placement_reader.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace tes::test {
namespace {

// The nodes one a line, then the fault when there is one.
std::string Described(const Placement& placement) {
    std::ostringstream out;
    for (const PlacedNode& node : placement.nodes) {
        PrintTo(node, &out);
        out << '\n';
    }
    if (!placement.fault.empty())
        out << "fault: " << placement.fault << '\n';
    return out.str();
}

struct ReaderCase {
    const char* script;
    const char* expected;
};

constexpr const char* kMerge =
    "mergeMAXFile \"T.MAX\" #mergeDups #renameMtlDups #alwaysReparent #select #noredraw quiet:true\n";

TEST(PlacementReader, EvaluatesWhatTheScriptLeavesAndStopsAtItsFirstFault) {
    const ReaderCase cases[] = {
        // Escapes in quoted pathnames and strings; rotations add up; a clone keeps the transform.
        {R"($'a\*b\?c\\d'.pos = [1,2.5,-3e1]
rotate $'a\*b\?c\\d' (angleaxis 30 [0,0,1])
rotate $'A\*B\?C\\D' (angleaxis 15 [0,0,1])
$'a\*b\?c\\d'.scale = [2,2,2]
instance $'a\*b\?c\\d' isSelected:on name:"a*b?c\\d\"\t\%\M01"
)",
         "a*b?c\\d at [1,2.5,-30] turned 45 scaled [2,2,2] merged\n"
         "a*b?c\\d\"\t%\\M01 at [1,2.5,-30] turned 45 scaled [2,2,2] instance\n"},
        // The fast shape's statements: a variable, data arrays and a loop that names its clones.
        {R"(local merged = selection as array
local src = undefined
for o in merged where o.name == "a*b?c\\d" do src = o
local points = #()
append points #(
[1,1,1],
[2,2,2]
)
append points #(
[3,3,3]
)
local n = 98
for chunk in points do for p in chunk do
(
n += 1
local c = copy src name:("T" + (formattedPrint n format:"02d"))
c.pos = p
)
)",
         "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\n"
         "T99 at [1,1,1] turned 0 scaled [1,1,1] copy\n"
         "T100 at [2,2,2] turned 0 scaled [1,1,1] copy\n"
         "T101 at [3,3,3] turned 0 scaled [1,1,1] copy\n"},
        // '_' stands for a blank, and letter case does not count: two nodes answer.
        {"copy $'a\\*b\\?c\\\\d' name:\"Oak Tree\"\ncopy $'a\\*b\\?c\\\\d' name:\"oak_tree\"\n$OAK_Tree.pos "
         "= "
         "[0,0,0]\n",
         "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\n"
         "Oak Tree at [0,0,0] turned 0 scaled [1,1,1] copy\n"
         "oak_tree at [0,0,0] turned 0 scaled [1,1,1] copy\n"
         "fault: line 4: $OAK_Tree matches 2 nodes\n"},
        {"$'a*'.pos = [0,0,0]\n$'b*'.pos = [0,0,0]\n",
         "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\nfault: line 3: no node matches $'b*'\n"},
        {"local src = undefined\nfor o in selection as array where o.name == \"A*B?C\\\\D\" do src = o\n"
         "if src == undefined do throw (\"no \" + \"object\")\n",
         "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\nfault: line 4: the script throws \"no "
         "object\"\n"},
        {"local points = #()\nappend points #(\n[1,1,1],\n)\n",
         "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\nfault: line 5: a comma before the end of an "
         "array\n"},
        {"copy $'a\\*b\\?c\\\\d' name:\"x\\x41\"\n",
         "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\n"
         "fault: line 2: a \\x escape, whose length the reader does not know\n"},
        {"$'a/b'.pos = [0,0,0]\n", "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\n"
                                   "fault: line 2: a '/' inside a quoted pathname: a name or a hierarchy, "
                                   "3ds Max does not say\n"},
        {"undo off\n(\n", "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\n"
                          "fault: line 2: a block is never closed\n"},
        // A try's catch handles the script's own throw, and the run goes on after it; what the catch
        // deletes is gone.
        {"local src = undefined\nlocal m = #()\ntry\n(\nm = selection as array\nthrow (\"no \" + "
         "\"object\")\n)\n"
         "catch\n(\nformat \"% failed: %\\n\" 5 (getCurrentException())\nfor o in m where not isDeleted o do "
         "delete o\n)\nformat \"%\\n\" \"next\"\n",
         ""},
        // Only the classic script's merge may leave 3ds Max to ask; a byte-order mark stops a script.
        {"mergeMAXFile \"T.MAX\" #mergeDups #noredraw quiet:true\n",
         "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\nfault: line 2: a merge that may ask in a "
         "dialog: "
         "it names no action for names, materials and links the scene holds already, or is not quiet\n"},
        {"-- Tolvane Enviro Scripter for 3dsMax 3.1\nmergeMAXFile \"T.MAX\" #mergeDups #select #noredraw\n",
         "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\na*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] "
         "merged\n"},
        {"\xEF\xBB\xBF-- part two\n",
         "a*b?c\\d at [0,0,0] turned 0 scaled [1,1,1] merged\nfault: line 2: a "
         "byte-order mark inside the script: 3ds Max reads one only at the start\n"},
    };
    for (const ReaderCase& c : cases) {
        const Placement placement = ReadPlacement(std::string(kMerge) + c.script, R"(a*b?c\d)");
        EXPECT_EQ(Described(placement), c.expected) << c.script;
        EXPECT_EQ(placement.mergedFile, "T.MAX");
        if (std::string(c.script).starts_with("local src = undefined\nlocal m")) {
            EXPECT_EQ(placement.listener, (std::vector<std::string>{"5 failed: no object", "next"}));
        }
    }
}

} // namespace
} // namespace tes::test
